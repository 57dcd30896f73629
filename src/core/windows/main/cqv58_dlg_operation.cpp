// A running operation and the window around it: while it waits for the
// reader the window's events run, so the window repaints and takes the
// close box, Escape and "Stop"; each of them ends the operation after its
// running transaction.
#include "windows/main/cqv58_dlg.h"

namespace teb {

void CQV58Dlg::requestStop()
{
    if (m_stopRequested)
        return;
    m_stopRequested = true;
    m_stopRequestedAt = std::chrono::steady_clock::now();
}

// A wait for the reader, every few milliseconds. Once stopped, the running
// transaction keeps its answer's chance for kStopGrace, never its whole wait
// (with a long time base that would be minutes).
bool CQV58Dlg::whileReaderAnswers()
{
    if (!m_stopOffered) {
        m_stopOffered = true;
        m_view.setEnabled(Control::StopButton, true);
    }
    m_waitingForReader = true;
    const bool windowStays = m_view.letEventsRun();
    m_waitingForReader = false;
    if (!windowStays) { // ended from outside (a stop signal): no time for answers
        requestStop();
        m_dialogGate.setClosed(true);
        return false;
    }
    return !m_stopRequested || std::chrono::steady_clock::now() < m_stopRequestedAt + kStopGrace;
}

// After the outermost event: "Stop" has nothing left to stop, and a close
// box that came during the wait now closes the window.
void CQV58Dlg::endOperation()
{
    if (m_stopOffered) {
        m_stopOffered = false;
        m_view.setEnabled(Control::StopButton, false);
    }
    m_stopRequested = false;
    m_dialogGate.setClosed(false);
    if (m_closeAfterEvent) {
        m_closeAfterEvent = false;
        closeWithPort();
    }
}

} // namespace teb
