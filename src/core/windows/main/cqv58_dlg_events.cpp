// How the view's reports reach the main window: one event at a time, the
// routing of clicks and keys, and the lines of the receive thread.
#include "windows/main/cqv58_dlg.h"

#include "windows/main/cqv58_dlg_timers.h"
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
        case MenuItem::SystemMenuInfo: m_dialogGate.showAboutBox(); break;
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
        case Control::ManualCarrierIdBox: m_manual.carrierIdLeft(); break;
        case Control::ManualCarrierIdOffsetBox:
        case Control::ManualCarrierIdLengthBox: m_manual.carrierIdRangeLeft(); break;
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
            m_cycle.tick();
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
        m_pages.pageSelectClicked(*page);
        return;
    }
    switch (id) {
    case Control::AutomaticSwitch: m_mode.switchTo(true); break;
    case Control::ManualSwitch: m_mode.switchTo(false); break;
    case Control::AsciiSwitch: m_pages.showFormat(true); break;
    case Control::HexSwitch: m_pages.showFormat(false); break;
    case Control::SelectAll: m_pages.selectAllClicked(); break;
    case Control::TiSwitch: m_manual.tiClicked(); break;
    case Control::OrvexSwitch: m_manual.orvexClicked(); break;
    case Control::LogSwitch: m_manual.logClicked(); break;
    case Control::SendButton: m_link.sendClicked(m_run.wallClock); break;
    case Control::TraceSwitch: m_terminal.traceClicked(); break;
    case Control::SaveTraceButton: m_terminal.saveTrace(m_job.state().workingDirectory); break;
    case Control::OpenButton: m_manual.chooseLogFile(); break;
    case Control::ReadUidButton: m_manual.readUidClicked(); break;
    case Control::ReadButton: m_manual.readPagesClicked(); break;
    case Control::WriteButton: m_manual.writePagesClicked(); break;
    case Control::LockButton: m_manual.lockPagesClicked(); break;
    case Control::DefaultMemoryButton: m_pages.loadDefaultContent(); break;
    case Control::ReadCarrierIdButton: m_manual.readCarrierIdClicked(); break;
    case Control::WriteCarrierIdButton: m_manual.writeCarrierIdClicked(); break;
    case Control::DefaultButton: focusOne(); break;
    case Control::CancelButton: cancelWindow(); break;
    case Control::OneButton: m_cycle.one(); break;
    case Control::ContOnButton: m_continuous.clicked(); break;
    case Control::NextDataSetButton:
    case Control::CurrentDataSetProcessedButton:
    case Control::NextCompleteButton:
    case Control::NextCompleteProcessedButton: m_cycle.csvCommand(id); break;
    default: break;
    }
}

void CQV58Dlg::routeEnter(Control id)
{
    if (const auto page = pageOfPageBox(id)) {
        m_pages.pageEntered(*page);
        m_pages.requestFocusOnOne();
    } else if (id == Control::TerminalInput) {
        m_link.terminalEntered(m_run.wallClock);
    }
    // The other edit boxes report Enter too; the window does not act on it.
}

void CQV58Dlg::drainInbox()
{
    if (m_link.takeReceivedLines(m_run.wallClock))
        showStatus();
}

} // namespace teb
