#include "reader/reader_port.h"

#include "reader/port_names.h"
#include "reader/serial_port.h"

#include <algorithm>
#include <cerrno>
#include <span>

namespace teb {

namespace {

// The receive thread's rest when there is nothing to read, it is paused or it has no port.
constexpr std::chrono::milliseconds kIdleInterval{5};

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';

// At most this much is taken from the port in one read.
constexpr std::size_t kReceiveChunkSize = 256;

// The node a path leads to, or the path itself when it leads nowhere.
std::filesystem::path deviceNode(const std::filesystem::path &path)
{
    std::error_code error;
    std::filesystem::path node = std::filesystem::canonical(path, error);
    return error ? path : node;
}

} // namespace

ReaderPort::ReaderPort() = default;

ReaderPort::~ReaderPort()
{
    Close(portHandle);
}

void ReaderPort::setTerminalSink(TerminalSink sink)
{
    std::lock_guard lock(sinkMutex);
    terminalSink = std::move(sink);
}

void ReaderPort::setWorkingDirectory(std::filesystem::path directory)
{
    workingDirectory = std::move(directory);
}

PortHandle ReaderPort::Open(const std::string &portName, std::int32_t baudRate, std::int32_t dataBits,
                            std::int32_t parityCode, std::int32_t stopBitsCode,
                            std::int32_t flowControlCode)
{
    // A second open replaces the link instead of leaking the first one.
    Close(portHandle);

    lastOpenFailure.reset();
    openedIdentity.reset();
    const std::optional<std::filesystem::path> device = resolvePortName(portName, lookupDirectory());
    if (!device) {
        lastOpenFailure = openFailureOf(ENOENT, portName);
        return kNoPort;
    }
    const int fd = serial::openExclusive(*device);
    if (fd == serial::kNoDevice) {
        const int error = errno;
        lastOpenFailure = openFailureOf(error, deviceNode(*device));
        return kNoPort;
    }

    portHandle = fd;
    openedIdentity = identifyPort(*device);
    serial::purge(fd);
    const LineSettings settings{baudRate, dataBits, parityCode, stopBitsCode, flowControlCode};
    if (serial::applyLineSettings(fd, settings)) {
        serial::requestLowLatency(fd);
        StartReceiveThread();
    }
    return fd;
}

PortHandle ReaderPort::Open(const InterfaceSettings &settings)
{
    return Open(settings.portName, settings.baudRate, settings.dataBits, settings.parityCode,
                settings.stopBitsCode, settings.flowControlCode);
}

bool ReaderPort::Close(PortHandle handle)
{
    if (!isUsablePort(handle))
        return true;
    if (handle != portHandle)
        return false; // not the port this link holds: never close someone else's descriptor
    StopReceiveThread();
    serial::purge(handle);
    portHandle = kNoPort;
    hungUp = false;
    lateAnswerDue.reset(); // no answer comes through a closed port
    return serial::closeDevice(handle);
}

std::uint32_t ReaderPort::WriteText(std::string_view text, PortHandle handle, std::chrono::milliseconds limit)
{
    if (!isUsablePort(handle) || handle != portHandle)
        return kWriteNoPort;
    // Every byte goes out, also past 255: a count of 8 bits would send a
    // longer terminal input cut to its length modulo 256.
    switch (serial::writeWithin(handle, text, limit)) {
    case serial::WriteResult::Written: return 0;
    case serial::WriteResult::TimedOut: return serial::kWriteTimedOutMask;
    case serial::WriteResult::Failed: break;
    }
    return serial::kWriteFailedMask;
}

void ReaderPort::prepareForAnswer(const Meanwhile &meanwhile)
{
    if (lateAnswerDue) {
        const auto due = *lateAnswerDue;
        lateAnswerDue.reset();
        takeLineBy(due, meanwhile, [] {});
    }
    crEvent.reset();
}

bool ReaderPort::waitForLine(std::chrono::milliseconds timeout, std::string &line, const Meanwhile &meanwhile)
{
    line.clear();
    if (takeLineBy(std::chrono::steady_clock::now() + timeout, meanwhile, [&] { line = completedLine; }))
        return true;
    lateAnswerDue = std::chrono::steady_clock::now() + timeout;
    return false;
}

bool ReaderPort::takeLineBy(std::chrono::steady_clock::time_point due, const Meanwhile &meanwhile,
                            const std::function<void()> &take)
{
    for (;;) {
        const auto left = std::max(std::chrono::milliseconds(0),
                                   std::chrono::ceil<std::chrono::milliseconds>(due - std::chrono::steady_clock::now()));
        const auto slice = meanwhile ? std::min(left, kWaitSlice) : left;
        if (crEvent.takeWithin(slice, take))
            return true;
        if (slice == left || !meanwhile())
            return false;
    }
}

bool ReaderPort::receiveThreadRunning() const
{
    return receiveThread.joinable();
}

bool ReaderPort::StartReceiveThread()
{
    exitRequest = false;
    pauseRequest = false;
    if (!receiveThread.joinable())
        receiveThread = std::thread(&ReaderPort::receiveLoop, this);
    return true;
}

bool ReaderPort::StopReceiveThread()
{
    pauseRequest = true;
    if (!receiveThread.joinable()) {
        exitRequest = true; // no thread runs that could acknowledge
        return true;
    }
    pauseEvent.wait();
    pauseEvent.reset();
    exitRequest = true;
    exitEvent.wait();
    receiveThread.join();
    // The thread may have signalled the pause once more before it saw the exit request.
    pauseEvent.reset();
    exitEvent.reset();
    return true;
}

void ReaderPort::receiveLoop()
{
    lineLength = 0;
    afterCarriageReturn = false;
    while (!exitRequest) {
        if (pauseRequest) {
            pauseEvent.set();
            std::this_thread::sleep_for(kIdleInterval);
        } else if (!isUsablePort(portHandle) || hungUp) {
            std::this_thread::sleep_for(kIdleInterval);
        } else {
            pollPort();
        }
    }
    exitEvent.set();
}

void ReaderPort::pollPort()
{
    // The port does not block: one read takes all that is waiting, then the
    // bytes go through byte by byte as they came. Nothing waiting, a failed
    // read or a line hung up: wait for input (a failed read drops nothing of
    // the line, it keeps what it has).
    std::array<char, kReceiveChunkSize> chunk;
    const std::size_t count = serial::readWaiting(portHandle, chunk);
    if (count == 0) {
        if (serial::waitForInput(portHandle, kIdleInterval) == serial::InputWait::LineLost)
            hungUp = true;
        return;
    }
    for (std::size_t index = 0; index < count; ++index)
        takeByte(chunk[index]);
}

void ReaderPort::takeByte(char byte)
{
    // A reader that ends its lines in CR LF: the LF is part of the line end
    // before it, not the first character of the next line.
    const bool endsCrLf = byte == kLineFeed && afterCarriageReturn;
    afterCarriageReturn = byte == kCarriageReturn;
    if (endsCrLf)
        return;
    if (byte == kCarriageReturn) {
        completeLine();
        return;
    }
    if (lineLength < kMaxLineCharacters)
        lineBuffer[lineLength++] = byte;
}

void ReaderPort::completeLine()
{
    lineBuffer[lineLength] = '\r';
    lineBuffer[lineLength + 1] = '\n';
    lineBuffer[lineLength + 2] = '\0';
    lineLength = 0;
    // The line is text up to its first NUL, as the reader's answers are read.
    const char *line = lineBuffer.data();
    const bool forTheTerminal = !readingActive && !writingActive;
    // Into the kept line's own storage: no allocation once it has held a long line.
    // The event is set before the terminal shows the line: whoever sees it
    // there and then starts a command finds it already taken as no answer.
    crEvent.setWith([&] { completedLine.assign(line); });
    if (forTheTerminal)
        showInTerminal(line);
}

void ReaderPort::showInTerminal(const std::string &line)
{
    std::lock_guard lock(sinkMutex);
    if (terminalSink)
        terminalSink(line);
}

std::filesystem::path ReaderPort::lookupDirectory() const
{
    if (!workingDirectory.empty())
        return workingDirectory;
    std::error_code error;
    return std::filesystem::current_path(error);
}

} // namespace teb
