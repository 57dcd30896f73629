#include "app/cqv58_dlg.h"

#include "app/log_file_label.h"
#include "reader/port_names.h"
#include "reader/terminal_send.h"

namespace teb {

CQV58Dlg::CQV58Dlg(MainWindowView &view, DirectorySource currentDirectory)
    : m_view(view), m_currentDirectory(std::move(currentDirectory))
{
    // Lines that arrive while no reader operation runs go to the top of the
    // terminal view; the view takes them on the receive thread.
    m_readerPort.setTerminalSink([&view](const std::string &line) { view.prependTerminalText(line); });
    m_portListSource = [this] { return discoverComPorts(workingDirectory); };
}

CQV58Dlg::DirectorySource CQV58Dlg::defaultDirectorySource()
{
    return [] { return std::filesystem::current_path(); };
}

void CQV58Dlg::takeFromControls()
{
    terminalInput = m_view.text(Control::TerminalInput);
    terminalText = m_view.text(Control::TerminalView);
    for (int page = 1; page <= kPageCount; ++page) {
        pageText[pageIndex(page)] = m_view.text(pageBox(page));
        pageSelected[pageIndex(page)] = m_view.isChecked(pageSelectBox(page));
    }
    selectAll = m_view.isChecked(Control::SelectAll);
    uidText = m_view.text(Control::UidBox);
    currentSetName = m_view.text(Control::SetNameLabel);
    nextCarrierId = m_view.text(Control::NextBox);
    carrierIdMax = m_view.text(Control::MaxBox);
    manualCarrierIdOffset = m_view.text(Control::ManualCarrierIdOffsetBox);
    manualCarrierIdLength = m_view.text(Control::ManualCarrierIdLengthBox);
    manualCarrierId = m_view.text(Control::ManualCarrierIdBox);
    manualTypeTi = m_view.isChecked(Control::TiSwitch);
    manualTypeOrvex = m_view.isChecked(Control::OrvexSwitch);
    manualLog = m_view.isChecked(Control::LogSwitch);
    manualLogFileShown = m_view.text(Control::LogFileLabel);
}

void CQV58Dlg::showInControls()
{
    m_view.setText(Control::TerminalInput, terminalInput);
    m_view.setText(Control::TerminalView, terminalText);
    for (int page = 1; page <= kPageCount; ++page) {
        m_view.setText(pageBox(page), pageText[pageIndex(page)]);
        m_view.setChecked(pageSelectBox(page), pageSelected[pageIndex(page)]);
    }
    m_view.setChecked(Control::SelectAll, selectAll);
    m_view.setText(Control::UidBox, uidText);
    m_view.setText(Control::SetNameLabel, currentSetName);
    m_view.setText(Control::NextBox, nextCarrierId);
    m_view.setText(Control::MaxBox, carrierIdMax);
    m_view.setText(Control::ManualCarrierIdOffsetBox, manualCarrierIdOffset);
    m_view.setText(Control::ManualCarrierIdLengthBox, manualCarrierIdLength);
    m_view.setText(Control::ManualCarrierIdBox, manualCarrierId);
    m_view.setChecked(Control::TiSwitch, manualTypeTi);
    m_view.setChecked(Control::OrvexSwitch, manualTypeOrvex);
    m_view.setChecked(Control::LogSwitch, manualLog);
    m_view.setText(Control::LogFileLabel, manualLogFileShown);
}

void CQV58Dlg::showLogFileName()
{
    manualLogFileShown = shortenedLogFileName(manualLogFileName);
    m_view.setText(Control::LogFileLabel, manualLogFileShown);
}

// --- menu

void CQV58Dlg::menuCommand(MenuItem item)
{
    switch (item) {
    case MenuItem::FileExit: exit(); break;
    case MenuItem::InterfaceSettings: runInterfaceSettings(); break;
    case MenuItem::InterfaceDeviceManager: openDeviceManager(); break;
    case MenuItem::Config: break;            // routed by the parameter set editor's owner
    case MenuItem::TerminalShow: toggleTerminal(); break;
    case MenuItem::TerminalClear: clearTerminal(); break;
    case MenuItem::HelpInfo:
    case MenuItem::SystemMenuInfo: showInfo(); break;
    }
}

void CQV58Dlg::toggleTerminal()
{
    terminalVisible = !terminalVisible;
    m_view.setMenuChecked(MenuItem::TerminalShow, terminalVisible);
    m_view.setWindowSize(windowWidth(), kWindowHeight);
}

int CQV58Dlg::windowWidth() const { return terminalVisible ? kWideWindowWidth : kNarrowWindowWidth; }

void CQV58Dlg::clearTerminal()
{
    takeFromControls();
    terminalText.clear();
    showInControls();
}

void CQV58Dlg::openDeviceManager() { m_view.openDeviceManager(); }
void CQV58Dlg::showInfo() { m_view.showAboutBox(); }

// --- keys and ways out

void CQV58Dlg::exit()
{
    takeFromControls();
    m_view.endDialog(DialogResult::Ok);
}

void CQV58Dlg::escape() { m_view.endDialog(DialogResult::Cancel); }

void CQV58Dlg::defaultAction()
{
    if (defaultActionEnabled)
        m_view.setFocus(Control::OneButton);
}

void CQV58Dlg::closeRequest()
{
    if (m_readerPort.Close(portHandle)) {
        portHandle = kNoPort;
        portOpen = false;
    } else {
        showMessage(std::string(kPortCloseFailedText), kPortErrorCaption, MessageIcon::Stop);
    }
    m_view.endDialog(DialogResult::Cancel);
}

// --- what the view reports

void CQV58Dlg::clicked(Control id)
{
    if (const auto page = pageOfSelectBox(id)) {
        pageSelectClicked(*page);
        return;
    }
    switch (id) {
    case Control::AutomaticSwitch: switchToAutomatic(); break;
    case Control::ManualSwitch: switchToManual(); break;
    case Control::AsciiSwitch: showAscii(); break;
    case Control::HexSwitch: showHex(); break;
    case Control::SelectAll: selectAllClicked(); break;
    case Control::TiSwitch: tiClicked(); break;
    case Control::OrvexSwitch: orvexClicked(); break;
    case Control::LogSwitch: logClicked(); break;
    case Control::SendButton: sendClicked(); break;
    case Control::OpenButton: chooseManualLogFile(); break;
    case Control::ReadUidButton: readUidClicked(); break;
    case Control::ReadButton: readPagesClicked(); break;
    case Control::WriteButton: writePagesClicked(); break;
    case Control::LockButton: lockPagesClicked(); break;
    case Control::DefaultMemoryButton: loadDefaultContent(); break;
    case Control::ReadCarrierIdButton: readCarrierIdClicked(); break;
    case Control::WriteCarrierIdButton: writeCarrierIdClicked(); break;
    case Control::DefaultButton: defaultAction(); break;
    case Control::CancelButton: escape(); break;
    default: break; // the automatic group's commands
    }
}

void CQV58Dlg::enterPressed(Control id)
{
    if (const auto page = pageOfPageBox(id)) {
        pageEntered(*page);
        focusOneRequest = true;
    } else if (id == Control::TerminalInput) {
        terminalEntered();
    }
    // The other edit boxes report Enter too; the window does not act on it.
}

void CQV58Dlg::terminalEntered()
{
    m_view.selectAll(Control::TerminalInput);
    sendClicked();
}

void CQV58Dlg::sendClicked()
{
    takeFromControls();
    terminalSend(m_readerPort, portHandle, portOpen, terminalInput);
}

// --- ticks

void CQV58Dlg::tick(int timerId)
{
    if (timerId == kCycleTimerId)
        tick10ms();
    else if (timerId == kRequestTimerId)
        tick500ms();
}

void CQV58Dlg::tick10ms()
{
    if (!cycleRequested)
        return;
    cycleRequested = false;
    if (m_cycleStep)
        m_cycleStep();
}

void CQV58Dlg::tick500ms()
{
    if (errorPending) {
        errorPending = false; // before the box: ticks go on while it is open
        showMessage(errorText, kWindowTitle, MessageIcon::Stop);
    }
    for (int page = 1; page <= kPageCount; ++page) {
        if (!pageFocusRequest[pageIndex(page)])
            continue;
        pageFocusRequest[pageIndex(page)] = false;
        m_view.setFocus(pageBox(page));
        m_view.selectAll(pageBox(page));
    }
    if (focusOneRequest) {
        focusOneRequest = false;
        if (automaticMode)
            m_view.setFocus(Control::OneButton);
    }
}

void CQV58Dlg::showMessage(std::string text, std::string_view caption, MessageIcon icon)
{
    m_view.showMessage(MessageRequest{std::move(text), std::string(caption), icon, MessageButtons::Ok});
}

} // namespace teb
