// "Cont On": automatic mode programs each new transponder as it arrives. The
// reader is asked for a UID at a steady pace; a transponder whose UID the
// journal holds as programmed or spoiled is left alone (one put back), any
// other gets one "One" cycle (one with an unfinished cycle is finished); then the station waits for it to leave. The first failed
// cycle, "Quantity reached.", any box or dialog and "Cont Off" end it.
#include "windows/main/cqv58_dlg.h"

namespace teb {
namespace {

constexpr std::string_view kContOnText = "  Cont On";
constexpr std::string_view kContOffText = "  Cont Off";

} // namespace

void CQV58Dlg::continuousClicked()
{
    if (m_job.continuousOn)
        stopContinuous();
    else
        startContinuous();
}

void CQV58Dlg::startContinuous()
{
    if (!m_pages.automaticMode)
        return;
    if (!m_link.portOpen()) {
        m_link.sayWhenClosed();
        return;
    }
    m_job.continuousOn = true;
    m_continuousOffRequested = false;
    m_uidOnAntenna.clear();
    m_dialogsSeen = m_dialogGate.shown();
    m_view.setText(Control::ContOnButton, std::string(kContOffText));
    m_view.startTimer(kContinuousTimerId, kContinuousPollPeriod);
}

void CQV58Dlg::stopContinuous()
{
    if (!m_job.continuousOn)
        return;
    m_job.continuousOn = false;
    m_continuousOffRequested = false;
    m_view.stopTimer(kContinuousTimerId);
    m_view.setText(Control::ContOnButton, std::string(kContOnText));
}

// One look at the antenna, and a cycle for a new transponder.
void CQV58Dlg::continuousTick()
{
    if (!m_job.continuousOn)
        return;
    if (m_dialogGate.shown() != m_dialogsSeen || !m_pages.automaticMode || !m_link.portOpen()) {
        stopContinuous();
        return;
    }
    const std::optional<std::string> uid = pollUid();
    if (!uid) {
        m_uidOnAntenna.clear(); // the last one has left
        return;
    }
    if (*uid == m_uidOnAntenna)
        return;
    m_uidOnAntenna = *uid;
    try {
        if (m_job.journal) {
            const TransponderHistory history = m_job.journal->historyOf(*uid);
            if (!history.unfinished && (history.programmed || history.spoiled))
                return; // programmed before and put back, or put aside for good
        }
    } catch (const JournalError &error) {
        stopContinuous();
        showMessage(error.what(), kWindowTitle, MessageIcon::Stop);
        return;
    }
    m_job.lastCycleResult.reset();
    runOneCycle();
    if (!m_job.lastCycleResult || !m_job.lastCycleResult->passed || m_continuousOffRequested
        || m_dialogGate.shown() != m_dialogsSeen)
        stopContinuous();
}

// "RUID" alone: the terminal and the page boxes stay as they are.
std::optional<std::string> CQV58Dlg::pollUid()
{
    ReaderSession session = m_link.session(nullptr, &m_readerWatch);
    const ReaderOperationFlag reading(m_link.port(), ReaderOperationFlag::Kind::Reading);
    const ReaderTransaction transaction = runTransaction(session, readUidCommand());
    if (!transaction.succeeded)
        return std::nullopt;
    return transaction.kept;
}

} // namespace teb
