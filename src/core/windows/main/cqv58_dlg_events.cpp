// How the view's reports reach the main window: one event at a time, the
// routing of clicks and keys, and the lines of the receive thread.
#include "windows/main/cqv58_dlg.h"

#include "windows/main/time_of_day.h"
#include "reader/reader_transaction.h"

namespace teb {

// Runs one event unless another one is still running (its message box or
// dialog is showing): the main window's operations never overlap. The inbox
// is worked off before and after, so received lines keep their place among
// the window's own changes to the terminal.
template <typename Handler>
void CQV58Dlg::runEvent(Handler handler)
{
    if (m_operation.running() || m_destroyed)
        return;
    drainInbox();
    const auto event = m_operation.begin();
    handler();
    drainInbox();
    showStatus();
    if (m_operation.end())
        closeWithPort(); // the close box came while the reader was awaited
}

bool CQV58Dlg::initialise()
{
    runEvent([this] { startUp(); });
    return true;
}

void CQV58Dlg::destroy()
{
    if (m_destroyed)
        return;
    drainInbox();
    m_destroyed = true;
    shutDown();
}

// The close box always ends the station. While an operation waits for the
// reader it is stopped: its running transaction ends, nothing more is sent,
// it shows no more boxes, and the port is closed and the window ended once
// it is over. While an event shows a box the port is closed at once, so
// nothing more reaches the reader, and the window ends as soon as the event
// is over. The settings are written on the way out as always.
void CQV58Dlg::closeRequest()
{
    if (m_destroyed)
        return;
    m_run.cycleRequested = false; // a "One" pressed before the close starts no cycle
    if (m_operation.waitingForReader()) {
        m_operation.stopForClose();
    } else if (m_operation.running()) {
        m_operation.stopForClose();
        closeWithPort();
    } else {
        runEvent([this] { closeWithPort(); });
    }
}

// Escape ends the window, or, while an operation waits for the reader, the operation.
void CQV58Dlg::escape()
{
    if (m_operation.waitingForReader())
        m_operation.requestStop();
    else
        runEvent([this] { cancelWindow(); });
}
void CQV58Dlg::defaultAction() { runEvent([this] { focusOne(); }); }

void CQV58Dlg::menuCommand(MenuItem item)
{
    runEvent([this, item] {
        switch (item) {
        case MenuItem::FileExit: exit(); break;
        case MenuItem::FileJournal: m_job.showJournal(); break;
        case MenuItem::InterfaceSettings: m_link.runInterfaceSettings(); break;
        case MenuItem::InterfaceDeviceManager: m_link.showDevices(); break;
        case MenuItem::Config: runConfig(); break;
        case MenuItem::TerminalShow: m_terminal.toggleShown(); break;
        case MenuItem::TerminalClear: clearTerminal(); break;
        case MenuItem::HelpInfo:
        case MenuItem::SystemMenuInfo: showInfo(); break;
        }
    });
}

void CQV58Dlg::clicked(Control id)
{
    if (id == Control::StopButton && m_operation.waitingForReader())
        m_operation.requestStop();
    else if (id == Control::ContOnButton && m_operation.waitingForReader())
        m_continuous.offAfterCycle();
    else
        runEvent([this, id] { routeClick(id); });
}
void CQV58Dlg::enterPressed(Control id) { runEvent([this, id] { routeEnter(id); }); }

void CQV58Dlg::focusLost(Control id)
{
    runEvent([this, id] {
        switch (id) {
        case Control::ManualCarrierIdBox: checkCarrierIdLength(); break;
        case Control::ManualCarrierIdOffsetBox:
        case Control::ManualCarrierIdLengthBox: carrierIdBoxLeft(); break;
        case Control::NextBox: m_job.nextBoxLeft(); break;
        case Control::MaxBox: m_job.maxBoxLeft(); break;
        default: break;
        }
    });
}

void CQV58Dlg::spinStep(Control spin, SpinDirection direction)
{
    runEvent([this, spin, direction] {
        if (spin == Control::NextSpin)
            m_job.nextSpinStep(direction);
        else if (spin == Control::MaxSpin)
            m_job.maxSpinStep(direction);
        else if (spin == Control::TerminalInput)
            m_terminal.historyStep(direction);
    });
}

void CQV58Dlg::tick(int timerId)
{
    runEvent([this, timerId] {
        if (timerId == kCycleTimerId)
            tick10ms();
        else if (timerId == kRequestTimerId)
            tick500ms();
        else if (timerId == kContinuousTimerId)
            m_continuous.tick();
    });
}

// Also while an event runs (its box shows): the lines go on top of the
// terminal text the window holds, so nothing waits for the box to close.
void CQV58Dlg::inboxPosted()
{
    if (!m_destroyed)
        drainInbox();
}

void CQV58Dlg::routeClick(Control id)
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
    case Control::TraceSwitch: m_terminal.traceClicked(); break;
    case Control::SaveTraceButton: m_terminal.saveTrace(m_job.state().workingDirectory); break;
    case Control::OpenButton: chooseManualLogFile(); break;
    case Control::ReadUidButton: readUidClicked(); break;
    case Control::ReadButton: readPagesClicked(); break;
    case Control::WriteButton: writePagesClicked(); break;
    case Control::LockButton: lockPagesClicked(); break;
    case Control::DefaultMemoryButton: loadDefaultContent(); break;
    case Control::ReadCarrierIdButton: readCarrierIdClicked(); break;
    case Control::WriteCarrierIdButton: writeCarrierIdClicked(); break;
    case Control::DefaultButton: focusOne(); break;
    case Control::CancelButton: cancelWindow(); break;
    case Control::OneButton: one(); break;
    case Control::ContOnButton: m_continuous.clicked(); break;
    case Control::NextDataSetButton:
    case Control::CurrentDataSetProcessedButton:
    case Control::NextCompleteButton:
    case Control::NextCompleteProcessedButton: csvCommand(id); break;
    default: break;
    }
}

void CQV58Dlg::routeEnter(Control id)
{
    if (const auto page = pageOfPageBox(id)) {
        pageEntered(*page);
        m_pages.focusOneRequest = true;
    } else if (id == Control::TerminalInput) {
        terminalEntered();
    }
    // The other edit boxes report Enter too; the window does not act on it.
}

// Receive thread: never blocks on the window.
void CQV58Dlg::receiveLine(const std::string &line)
{
    if (m_inbox.append(line))
        m_view.post();
}

void CQV58Dlg::drainInbox()
{
    const ReceivedLines received = m_inbox.takeAll();
    if (received.lines.empty())
        return;
    std::string newestFirst;
    for (auto line = received.lines.rbegin(); line != received.lines.rend(); ++line)
        newestFirst += *line;
    if (received.dropped > 0)
        newestFirst += droppedLinesNote(received.dropped);
    m_terminal.putOnTop(newestFirst);
    const auto now = m_run.wallClock();
    for (const std::string &line : received.lines)
        m_terminal.received(timeOfDay(now, true), line);
    m_terminal.showTrace();
    m_link.activity().answered(timeOfDay(now));
    showStatus();
}

} // namespace teb
