#pragma once

#include "reader/reader_command.h"
#include "reader/reader_port.h"
#include "reader/time_base.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace teb {

// One command and its awaited answer.
struct ReaderTransaction {
    std::string answer;     // the line as received, with CR LF; empty when not sent or not answered in time
    std::string kept;       // the answer cut to the command's length
    bool sent = false;      // the port took the command
    bool heldBack = false;  // the operation was stopped before the command went out
    bool succeeded = false; // the kept answer passed the command's rule
};

// What the window adds to every exchange with the reader: it may hold a
// command back once its operation is to end, it runs its own events while
// an answer is awaited, and it hears of each exchange.
class TransactionWatch {
public:
    virtual ~TransactionWatch() = default;
    // Before a command goes out; false holds it back (it then counts as not sent).
    virtual bool sending(const ReaderCommand &command) = 0;
    // While an answer is awaited, every few milliseconds; false gives up the wait.
    virtual bool waiting() = 0;
    // After each exchange, also one held back or not taken by the port.
    virtual void exchanged(const ReaderCommand &command, const ReaderTransaction &transaction) = 0;
};

// What one reader operation works with: the port and its handle, the time
// base T and the terminal view's text (newest line first). The fields belong
// to the main window, and so does the watch (none: nothing watches).
struct ReaderSession {
    ReaderPort &port;
    PortHandle handle = kNoPort;
    std::int32_t &timeBase;
    std::string &terminalText;
    TransactionWatch *watch = nullptr;
};

// How long a command's answer is awaited: its factor times the time base.
std::chrono::milliseconds answerTimeout(const ReaderCommand &command, std::int32_t timeBase);

// Sends the command, waits for its answer at most waitFactor x T and judges
// it; a line that came before, or a late answer to an earlier command, is
// never taken for it. The echo line and then the kept answer go on top of
// the terminal view (nothing for "TOR"). No retries: the caller decides what
// a failure means.
ReaderTransaction runTransaction(ReaderSession &session, const ReaderCommand &command);

// The opening of every reader operation: asks "TOR" and, when its answer
// carries a time number, sets T.
ReaderTransaction fixTimeBase(ReaderSession &session, TimeBaseFactor factor);

// Puts a line (with its CR LF) on top of the terminal view.
void putOnTerminal(std::string &terminalText, std::string_view line);

// Marks a running reader operation on the port for its lifetime, so that the
// receive thread leaves the terminal view to the operation.
class ReaderOperationFlag {
public:
    enum class Kind { Reading, Writing };

    ReaderOperationFlag(ReaderPort &port, Kind kind);
    ~ReaderOperationFlag();
    ReaderOperationFlag(const ReaderOperationFlag &) = delete;
    ReaderOperationFlag &operator=(const ReaderOperationFlag &) = delete;

private:
    std::atomic<bool> &m_flag;
};

} // namespace teb
