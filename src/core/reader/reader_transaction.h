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

// Where an operation's exchanges show: the terminal view, newest line first.
class TerminalSink {
public:
    virtual ~TerminalSink() = default;
    // Lines (each with its CR LF) go on top of the view.
    virtual void putOnTop(std::string_view lines) = 0;
    // An operation starts on an empty view.
    virtual void clear() = 0;
};

// A terminal view held as text alone, for a link with no window.
struct TerminalText final : TerminalSink {
    std::string text;
    void putOnTop(std::string_view lines) override { text.insert(0, lines); }
    void clear() override { text.clear(); }
};

// What one reader operation works with: the port and its handle, its own
// copy of the time base T (a "TOR" may set it; the window takes it back
// afterwards), where its exchanges show (none: the view stays as it is) and
// who watches (none: nothing watches).
struct ReaderSession {
    ReaderPort &port;
    PortHandle handle = kNoPort;
    std::int32_t timeBase = kStartTimeBase;
    TerminalSink *terminal = nullptr;
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

// The operation starts on an empty terminal view.
void clearTerminal(ReaderSession &session);

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
