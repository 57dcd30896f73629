#include "transponder/reader_exchange.h"

#include <string>

namespace teb {
void ReaderExchange::discardPending()
{
    if (m_lateAnswerWait.count() > 0) {
        std::string lateAnswer;
        m_session.port.waitForLine(m_lateAnswerWait, lateAnswer);
        m_lateAnswerWait = std::chrono::milliseconds{0};
    }
    m_session.port.resetLineEvent();
}

ReaderTransaction ReaderExchange::run(const ReaderCommand &command)
{
    discardPending();
    const std::chrono::milliseconds wait = answerTimeout(command, m_session.timeBase);
    ReaderTransaction transaction = runTransaction(m_session, command);
    if (transaction.sent && transaction.answer.empty())
        m_lateAnswerWait = wait;
    return transaction;
}

ReaderTransaction ReaderExchange::fixTimeBase(TimeBaseFactor factor)
{
    discardPending();
    const std::chrono::milliseconds wait = answerTimeout(torCommand(), m_session.timeBase);
    ReaderTransaction transaction = teb::fixTimeBase(m_session, factor);
    if (transaction.sent && transaction.answer.empty())
        m_lateAnswerWait = wait;
    return transaction;
}

} // namespace teb
