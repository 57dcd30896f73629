#include "windows/main/reader_watch.h"

#include "windows/main/time_of_day.h"

namespace teb {

bool ReaderWatch::sending(const ReaderCommand &)
{
    m_sentAt = m_clock();
    return m_operation.mayStart();
}

void ReaderWatch::exchanged(const ReaderCommand &command, const ReaderTransaction &transaction)
{
    const std::string_view note = transaction.heldBack ? "held back: stopped" : !transaction.sent ? "not sent" : "";
    m_trace.sent(timeOfDay(m_sentAt, true), command.text, note);
    if (transaction.sent && transaction.answer.empty())
        m_trace.unanswered(timeOfDay(m_clock(), true));
    else if (transaction.sent)
        m_trace.received(timeOfDay(m_clock(), true), transaction.answer);
    m_operation.traced();

    // A "TOR" without a number leaves the time base as it was; what follows tells more.
    if (m_cycle != nullptr && !m_cycle->failure && !transaction.succeeded && command.rule != AnswerRule::TimeBase) {
        const std::string sent = command.text.substr(0, command.text.find('\r'));
        m_cycle->failure = FailedExchange{sent, transaction.sent, transaction.heldBack, transaction.kept};
    }
    if (transaction.heldBack)
        return;
    // A command the line would not take (an adapter pulled) went unanswered too.
    if (transaction.answer.empty())
        m_activity.silent(timeOfDay(m_sentAt));
    else
        m_activity.answered(timeOfDay(m_clock()));
}

} // namespace teb
