#pragma once

#include "reader/reader_transaction.h"

#include <chrono>

namespace teb {

// The commands of one reader operation, each answered by its own line: what
// is pending is discarded before every command, and after a command that got
// no answer in time its late answer is awaited (once more its own wait) and
// dropped, so it is never taken for the answer to the next command.
class ReaderExchange {
public:
    explicit ReaderExchange(ReaderSession &session) : m_session(session) {}

    ReaderTransaction run(const ReaderCommand &command);
    ReaderTransaction fixTimeBase(TimeBaseFactor factor);

private:
    void discardPending();

    ReaderSession &m_session;
    std::chrono::milliseconds m_lateAnswerWait{0}; // non-zero after an unanswered command
};

} // namespace teb
