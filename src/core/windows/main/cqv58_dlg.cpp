#include "windows/main/cqv58_dlg.h"

#include "windows/main/log_file_label.h"
#include "windows/main/time_of_day.h"
#include "windows/main/terminal_text.h"
#include "reader/port_names.h"
#include "reader/terminal_send.h"

namespace teb {

CQV58Dlg::CQV58Dlg(MainWindowView &view, DialogHost &dialogs, DirectorySource currentDirectory)
    : m_view(view), m_dialogGate(dialogs), m_dialogs(m_dialogGate), m_currentDirectory(std::move(currentDirectory))
{
    // Lines that arrive while no reader operation runs go to the top of the
    // terminal view, through the inbox.
    m_readerPort.setTerminalSink([this](const std::string &line) { receiveLine(line); });
    m_portListSource = [this] { return discoverComPorts(workingDirectory); };
}

CQV58Dlg::DirectorySource CQV58Dlg::defaultDirectorySource()
{
    return [] {
        std::error_code error;
        std::filesystem::path directory = std::filesystem::current_path(error);
        return error ? std::filesystem::path() : directory;
    };
}

void CQV58Dlg::takeFromControls()
{
    // The terminal view is read-only: the window's text is the one it holds.
    terminalInput = m_view.text(Control::TerminalInput);
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
    showTerminalText();
    // A selection box's image shows its selection too, whatever changed it
    // (the set in automatic mode, a page unticked under "all").
    for (int page = 1; page <= kPageCount; ++page) {
        m_view.setText(pageBox(page), pageText[pageIndex(page)]);
        m_view.setChecked(pageSelectBox(page), pageSelected[pageIndex(page)]);
        m_view.setSwitchImage(pageSelectBox(page), pageSelected[pageIndex(page)]);
    }
    m_view.setChecked(Control::SelectAll, selectAll);
    m_view.setSwitchImage(Control::SelectAll, selectAll);
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

// Lines put on top of what the view shows go to it alone; any other change
// replaces the view's text. Either way the newest lines only are kept.
void CQV58Dlg::showTerminalText()
{
    if (terminalText == m_terminalShown)
        return;
    const std::size_t added = terminalText.size() - m_terminalShown.size();
    const bool onTop = terminalText.size() > m_terminalShown.size() && terminalText.ends_with(m_terminalShown);
    const std::string newLines = onTop ? terminalText.substr(0, added) : std::string();
    keepNewestLines(terminalText);
    if (onTop)
        m_view.prependTerminalText(newLines);
    else
        m_view.setText(Control::TerminalView, terminalText);
    m_terminalShown = terminalText;
}

void CQV58Dlg::showLogFileName()
{
    manualLogFileShown = shortenedLogFileName(manualLogFileName);
    m_view.setText(Control::LogFileLabel, manualLogFileShown);
}

// --- menu commands

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
    m_terminalShown.clear();
    m_view.setText(Control::TerminalView, terminalText);
    showInControls();
}

void CQV58Dlg::openDeviceManager() { m_dialogs.showDeviceList(); }
void CQV58Dlg::showInfo() { m_dialogs.showAboutBox(); }

// --- keys and ways out

void CQV58Dlg::exit()
{
    takeFromControls();
    m_view.endDialog(DialogResult::Ok);
}

void CQV58Dlg::cancelWindow() { m_view.endDialog(DialogResult::Cancel); }

void CQV58Dlg::focusOne()
{
    if (defaultActionEnabled)
        m_view.setFocus(Control::OneButton);
}

void CQV58Dlg::closeWithPort()
{
    if (m_readerPort.Close(portHandle)) {
        portHandle = kNoPort;
        portOpen = false;
    } else {
        showMessage(std::string(kPortCloseFailedText), kPortErrorCaption, MessageIcon::Stop);
    }
    m_view.endDialog(DialogResult::Cancel);
}

// --- Enter and "Send"

void CQV58Dlg::terminalEntered()
{
    m_view.selectAll(Control::TerminalInput);
    sendClicked();
}

void CQV58Dlg::sendClicked()
{
    takeFromControls();
    const bool sent = terminalSend(m_readerPort, portHandle, portOpen, terminalInput);
    commandHistory.add(terminalInput);
    if (portOpen) {
        trace.sent(timeOfDay(wallClock(), true), terminalInput + '\r', sent ? "" : "not sent");
        showTrace();
    }
    sayWhenPortClosed();
}

// --- ticks

void CQV58Dlg::tick500ms()
{
    watchPort();
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
    m_dialogs.showMessage(MessageRequest{std::move(text), std::string(caption), icon, MessageButtons::Ok});
}

} // namespace teb
