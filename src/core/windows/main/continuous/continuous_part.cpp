#include "windows/main/continuous/continuous_part.h"

#include "windows/main/cqv58_dlg_control.h"
#include "windows/main/cqv58_dlg_timers.h"
#include "journal/journal_entry.h"
#include "reader/reader_command.h"

namespace teb {
namespace {

constexpr std::string_view kContOnText = "  Cont On";
constexpr std::string_view kContOffText = "  Cont Off";

} // namespace

void ContinuousPart::clicked()
{
    if (m_on)
        stop();
    else
        start();
}

void ContinuousPart::start()
{
    if (!m_window.automaticMode())
        return;
    if (!m_link.portOpen()) {
        m_link.sayWhenClosed();
        return;
    }
    m_on = true;
    m_offRequested = false;
    m_uidOnAntenna.clear();
    m_dialogsSeen = m_dialogs.shown();
    m_view.setText(Control::ContOnButton, std::string(kContOffText));
    m_view.startTimer(kContinuousTimerId, kContinuousPollPeriod);
}

void ContinuousPart::stop()
{
    if (!m_on)
        return;
    m_on = false;
    m_offRequested = false;
    m_view.stopTimer(kContinuousTimerId);
    m_view.setText(Control::ContOnButton, std::string(kContOnText));
}

// One look at the antenna, and a cycle for a new transponder.
void ContinuousPart::tick()
{
    if (!m_on)
        return;
    if (boxShownSinceStart() || !m_window.automaticMode() || !m_link.portOpen()) {
        stop();
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
        if (m_window.done(*uid))
            return; // programmed before and put back, or put aside for good
    } catch (const JournalError &error) {
        stop();
        showOkMessage(m_dialogs, error.what(), kWindowTitle, MessageIcon::Stop);
        return;
    }
    const bool passed = m_window.runCycle();
    if (!passed || m_offRequested || boxShownSinceStart())
        stop();
}

// "RUID" alone: the terminal and the page boxes stay as they are.
std::optional<std::string> ContinuousPart::pollUid()
{
    ReaderSession session = m_link.session(nullptr, &m_watch);
    const ReaderOperationFlag reading(m_link.port(), ReaderOperationFlag::Kind::Reading);
    const ReaderTransaction transaction = runTransaction(session, readUidCommand());
    if (!transaction.succeeded)
        return std::nullopt;
    return transaction.kept;
}

} // namespace teb
