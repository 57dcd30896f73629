#pragma once

#include "reader/interface_settings.h"
#include "reader/manual_reset_event.h"
#include "reader/open_failure.h"
#include "reader/port_identity.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace teb {

// An open serial device; kNoPort when none (it stands for both "0" and the
// invalid handle value of the station's handle rules).
using PortHandle = int;
inline constexpr PortHandle kNoPort = -1;
inline bool isUsablePort(PortHandle handle) { return handle >= 0; }

// Status of WriteText when there is no usable handle.
inline constexpr std::uint32_t kWriteNoPort = 0xFFFFFFFFu;
// How long a write without a command's own wait may take (terminal input).
inline constexpr std::chrono::milliseconds kDefaultWriteLimit{1000};
// A wait for an answer that has something to do meanwhile hands back this often.
inline constexpr std::chrono::milliseconds kWaitSlice{10};

// The link to the reader: the serial port, its receive thread that collects
// CR-ended lines, and the hand-over of each complete line to the one waiting
// for it. Open/Close/WriteText run on the user-interface thread only.
class ReaderPort {
public:
    // Receives each line (with its CR LF) that arrives while no reader
    // operation is running, for the top of the terminal view. Called on the
    // receive thread: the receiver must be thread-safe.
    using TerminalSink = std::function<void(const std::string &lineWithCrLf)>;
    // Runs on the waiting thread every kWaitSlice of a wait for an answer
    // (the window's events); false gives the wait up.
    using Meanwhile = std::function<bool()>;

    ReaderPort();
    ~ReaderPort(); // stops the thread and closes the port
    ReaderPort(const ReaderPort &) = delete;
    ReaderPort &operator=(const ReaderPort &) = delete;

    void setTerminalSink(TerminalSink sink);          // before Open
    void setWorkingDirectory(std::filesystem::path);  // where "COMn" links are looked up

    // Opens and configures the port; starts the receive thread only when the
    // line settings were accepted. Returns kNoPort when the device cannot be opened.
    PortHandle Open(const std::string &portName, std::int32_t baudRate, std::int32_t dataBits,
                    std::int32_t parityCode, std::int32_t stopBitsCode, std::int32_t flowControlCode);
    PortHandle Open(const InterfaceSettings &settings);
    bool Close(PortHandle handle);
    // 0 when every byte went out within `limit`; otherwise serial::kWriteFailedMask
    // (the device refused a write; nothing after it went out) or
    // serial::kWriteTimedOutMask (the line held the output past the limit).
    std::uint32_t WriteText(std::string_view text, PortHandle handle,
                            std::chrono::milliseconds limit = kDefaultWriteLimit);

    // Before a command is sent: a line complete by now is no answer to it.
    // When the last wait ended without its answer, that answer may still be
    // on its way: it is awaited until as long again as that wait after its
    // end, and dropped, so it is never taken for the next command's answer.
    // (An answer later still cannot be told from a lost command's.)
    void prepareForAnswer(const Meanwhile &meanwhile = {});
    // Waits at most `timeout` for the CR event. When it is signalled: copies
    // the last complete line (with CR LF) into `line`, resets the event and
    // returns true. On time-out, or when `meanwhile` gave the wait up, the
    // answer counts as late and false is returned.
    bool waitForLine(std::chrono::milliseconds timeout, std::string &line, const Meanwhile &meanwhile = {});

    bool receiveThreadRunning() const;

    // Why the last Open returned kNoPort; nothing after one that succeeded.
    const std::optional<OpenFailure> &openFailure() const { return lastOpenFailure; }
    // The device the last successful Open reached.
    const std::optional<PortIdentity> &openedPort() const { return openedIdentity; }
    // The open port hung up or failed (an adapter pulled): the receive thread
    // leaves it alone until it is closed. Any thread may ask.
    bool lineLost() const { return hungUp; }

    // Set by an operation while it exchanges commands; keeps the receive
    // thread out of the terminal view.
    std::atomic<bool> readingActive{false};
    std::atomic<bool> writingActive{false};

private:
    // The line and its CR LF NUL always fit; characters beyond are dropped.
    static constexpr std::size_t kLineBufferSize = 255;
    static constexpr std::size_t kMaxLineCharacters = kLineBufferSize - 3;

    bool StartReceiveThread();
    bool StopReceiveThread();
    void receiveLoop();
    void pollPort();
    void takeByte(char byte);
    void completeLine();
    void showInTerminal(const std::string &line);
    std::filesystem::path lookupDirectory() const;
    // Takes the CR event by `due`, in slices with `meanwhile` between them.
    bool takeLineBy(std::chrono::steady_clock::time_point due, const Meanwhile &meanwhile,
                    const std::function<void()> &take);

    std::filesystem::path workingDirectory; // empty: the current directory at Open
    // Until when a late answer is awaited before the next command; UI thread only.
    std::optional<std::chrono::steady_clock::time_point> lateAnswerDue;
    std::mutex sinkMutex;
    TerminalSink terminalSink;

    std::optional<OpenFailure> lastOpenFailure;
    std::optional<PortIdentity> openedIdentity;

    // Set by Open before the receive thread starts; cleared by Close after it ended.
    PortHandle portHandle = kNoPort;
    std::atomic<bool> hungUp{false}; // set by the receive thread, cleared by Close
    std::thread receiveThread;
    std::atomic<bool> exitRequest{true};
    std::atomic<bool> pauseRequest{false};
    ManualResetEvent pauseEvent{"ThreadEvent_Pause"};
    ManualResetEvent exitEvent{"ThreadEvent_Exit"};
    ManualResetEvent crEvent{"ThreadEvent_CR"};

    // Receive thread only.
    std::array<char, kLineBufferSize> lineBuffer{};
    std::size_t lineLength = 0;
    bool afterCarriageReturn = false; // the last byte taken was a CR
    // The last complete line; guarded by crEvent's mutex.
    std::string completedLine;
};

} // namespace teb
