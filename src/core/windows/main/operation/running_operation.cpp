#include "windows/main/operation/running_operation.h"

#include <utility>

namespace teb {

void RunningOperation::requestStop()
{
    if (m_stopRequested)
        return;
    m_stopRequested = true;
    m_stopRequestedAt = std::chrono::steady_clock::now();
}

// Once stopped, the running transaction keeps its answer's chance for
// kStopGrace, never its whole wait (with a long time base that would be
// minutes).
bool RunningOperation::whileReaderAnswers()
{
    if (!m_stopOffered) {
        m_stopOffered = true;
        m_window.offerStop(true);
    }
    m_waitingForReader = true;
    const bool windowStays = m_window.takeInterrupts();
    m_waitingForReader = false;
    if (!windowStays) { // ended from outside (a stop signal): no time for answers
        requestStop();
        m_dialogs.setClosed(true);
        return false;
    }
    return !m_stopRequested || std::chrono::steady_clock::now() < m_stopRequestedAt + kStopGrace;
}

void RunningOperation::stopForClose()
{
    requestStop();
    m_dialogs.setClosed(true);
    if (m_waitingForReader)
        m_closeAfterOperation = true;
}

bool RunningOperation::end()
{
    if (m_stopOffered) {
        m_stopOffered = false;
        m_window.offerStop(false);
    }
    m_stopRequested = false;
    m_dialogs.setClosed(false);
    return std::exchange(m_closeAfterOperation, false);
}

} // namespace teb
