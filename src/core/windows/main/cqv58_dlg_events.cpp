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
    if (m_parts.operation.running() || m_destroyed)
        return;
    drainInbox();
    const auto event = m_parts.operation.begin();
    handler();
    drainInbox();
    m_parts.showStatus();
    if (m_parts.operation.end())
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
    m_parts.run.cycleRequested = false; // a "One" pressed before the close starts no cycle
    if (m_parts.operation.waitingForReader()) {
        m_parts.operation.stopForClose();
    } else if (m_parts.operation.running()) {
        m_parts.operation.stopForClose();
        closeWithPort();
    } else {
        runEvent([this] { closeWithPort(); });
    }
}

// Escape ends the window, or, while an operation waits for the reader, the operation.
void CQV58Dlg::escape()
{
    if (m_parts.operation.waitingForReader())
        m_parts.operation.requestStop();
    else
        runEvent([this] { cancelWindow(); });
}
void CQV58Dlg::defaultAction() { runEvent([this] { focusOne(); }); }

void CQV58Dlg::menuCommand(MenuItem item)
{
    runEvent([this, item] {
        switch (item) {
        case MenuItem::FileExit: exit(); break;
        case MenuItem::FileJournal: m_parts.job.showJournal(); break;
        case MenuItem::InterfaceSettings: m_parts.link.runInterfaceSettings(); break;
        case MenuItem::InterfaceDeviceManager: m_parts.link.showDevices(); break;
        case MenuItem::Config: m_parts.runConfig(); break;
        case MenuItem::TerminalShow: m_parts.terminal.toggleShown(); break;
        case MenuItem::TerminalClear: m_parts.clearTerminal(); break;
        case MenuItem::HelpInfo:
        case MenuItem::SystemMenuInfo: m_parts.dialogGate.showAboutBox(); break;
        }
    });
}

void CQV58Dlg::clicked(Control id)
{
    if (id == Control::StopButton && m_parts.operation.waitingForReader())
        m_parts.operation.requestStop();
    else if (id == Control::ContOnButton && m_parts.operation.waitingForReader())
        m_parts.continuous.offAfterCycle();
    else
        runEvent([this, id] { routeClick(id); });
}
void CQV58Dlg::enterPressed(Control id) { runEvent([this, id] { routeEnter(id); }); }

void CQV58Dlg::focusLost(Control id)
{
    runEvent([this, id] {
        switch (id) {
        case Control::ManualCarrierIdBox: m_parts.manual.carrierIdLeft(); break;
        case Control::ManualCarrierIdOffsetBox:
        case Control::ManualCarrierIdLengthBox: m_parts.manual.carrierIdRangeLeft(); break;
        case Control::NextBox: m_parts.job.nextBoxLeft(); break;
        case Control::MaxBox: m_parts.job.maxBoxLeft(); break;
        default: break;
        }
    });
}

void CQV58Dlg::spinStep(Control spin, SpinDirection direction)
{
    runEvent([this, spin, direction] {
        if (spin == Control::NextSpin)
            m_parts.job.nextSpinStep(direction);
        else if (spin == Control::MaxSpin)
            m_parts.job.maxSpinStep(direction);
        else if (spin == Control::TerminalInput)
            m_parts.terminal.historyStep(direction);
    });
}

void CQV58Dlg::tick(int timerId)
{
    runEvent([this, timerId] {
        if (timerId == kCycleTimerId)
            m_parts.cycle.tick();
        else if (timerId == kRequestTimerId)
            tick500ms();
        else if (timerId == kContinuousTimerId)
            m_parts.continuous.tick();
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
        m_parts.pages.pageSelectClicked(*page);
        return;
    }
    switch (id) {
    case Control::AutomaticSwitch: m_parts.mode.switchTo(true); break;
    case Control::ManualSwitch: m_parts.mode.switchTo(false); break;
    case Control::AsciiSwitch: m_parts.pages.showFormat(true); break;
    case Control::HexSwitch: m_parts.pages.showFormat(false); break;
    case Control::SelectAll: m_parts.pages.selectAllClicked(); break;
    case Control::TiSwitch: m_parts.manual.tiClicked(); break;
    case Control::OrvexSwitch: m_parts.manual.orvexClicked(); break;
    case Control::LogSwitch: m_parts.manual.logClicked(); break;
    case Control::SendButton: m_parts.link.sendClicked(m_parts.run.wallClock); break;
    case Control::TraceSwitch: m_parts.terminal.traceClicked(); break;
    case Control::SaveTraceButton: m_parts.terminal.saveTrace(m_parts.job.state().workingDirectory); break;
    case Control::OpenButton: m_parts.manual.chooseLogFile(); break;
    case Control::ReadUidButton: m_parts.manual.readUidClicked(); break;
    case Control::ReadButton: m_parts.manual.readPagesClicked(); break;
    case Control::WriteButton: m_parts.manual.writePagesClicked(); break;
    case Control::LockButton: m_parts.manual.lockPagesClicked(); break;
    case Control::DefaultMemoryButton: m_parts.pages.loadDefaultContent(); break;
    case Control::ReadCarrierIdButton: m_parts.manual.readCarrierIdClicked(); break;
    case Control::WriteCarrierIdButton: m_parts.manual.writeCarrierIdClicked(); break;
    case Control::DefaultButton: focusOne(); break;
    case Control::CancelButton: cancelWindow(); break;
    case Control::OneButton: m_parts.cycle.one(); break;
    case Control::ContOnButton: m_parts.continuous.clicked(); break;
    case Control::NextDataSetButton:
    case Control::CurrentDataSetProcessedButton:
    case Control::NextCompleteButton:
    case Control::NextCompleteProcessedButton: m_parts.cycle.csvCommand(id); break;
    default: break;
    }
}

void CQV58Dlg::routeEnter(Control id)
{
    if (const auto page = pageOfPageBox(id)) {
        m_parts.pages.pageEntered(*page);
        m_parts.pages.requestFocusOnOne();
    } else if (id == Control::TerminalInput) {
        m_parts.link.terminalEntered(m_parts.run.wallClock);
    }
    // The other edit boxes report Enter too; the window does not act on it.
}

void CQV58Dlg::drainInbox()
{
    if (m_parts.link.takeReceivedLines(m_parts.run.wallClock))
        m_parts.showStatus();
}

} // namespace teb
