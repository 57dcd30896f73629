#include "reader/serial_port.h"

#include "reader/serial_termios2.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <thread>

namespace teb::serial {

namespace {

bool isCharacterDevice(int fd)
{
    struct stat status{};
    return fstat(fd, &status) == 0 && S_ISCHR(status.st_mode);
}

// The reader link keeps DTR low, and RTS too unless the hardware handshake drives it.
void lowerModemLines(int fd, std::int32_t flowControlCode)
{
    int lines = TIOCM_DTR;
    if (flowControlCode != flowcontrol::Hardware)
        lines |= TIOCM_RTS;
    ioctl(fd, TIOCMBIC, &lines); // a device without modem lines refuses; nothing to lower then
}

} // namespace

int openExclusive(const std::filesystem::path &device)
{
    // Without O_NONBLOCK, opening a line that waits for carrier would block.
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return kNoDevice;
    // The lock keeps out every other user that asks first, the super-user too
    // (for whom the terminal's exclusive mode does not count). The descriptor
    // stays non-blocking: reads take only what is waiting, and a write that
    // the line cannot take at once returns, so that no call outlasts its limit.
    int refusal = 0;
    if (!isCharacterDevice(fd))
        refusal = ENOTTY;
    else if (flock(fd, LOCK_EX | LOCK_NB) != 0 || (isatty(fd) && ioctl(fd, TIOCEXCL) != 0))
        refusal = errno;
    if (refusal != 0) {
        ::close(fd);
        errno = refusal;
        return kNoDevice;
    }
    return fd;
}

bool purge(int fd)
{
    return tcflush(fd, TCIOFLUSH) == 0;
}

bool applyLineSettings(int fd, const LineSettings &settings)
{
    const std::optional<TerminalLineFlags> wanted = terminalLineFlags(settings);
    if (!wanted)
        return false;
    const std::optional<TerminalLineFlags> reported = setRawLine(fd, *wanted);
    if (!reported || !driverTookLineFlags(*wanted, *reported))
        return false;
    lowerModemLines(fd, settings.flowControlCode);
    return true;
}

void requestLowLatency(int fd)
{
    serial_struct info{};
    if (ioctl(fd, TIOCGSERIAL, &info) != 0)
        return;
    info.flags |= ASYNC_LOW_LATENCY;
    ioctl(fd, TIOCSSERIAL, &info);
}

InputWait waitForInput(int fd, std::chrono::milliseconds timeout)
{
    pollfd entry{fd, POLLIN, 0};
    const int result = ::poll(&entry, 1, static_cast<int>(timeout.count()));
    if (result == 0)
        return InputWait::Quiet;
    const bool lost = result > 0 && (entry.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    if (result > 0 && !lost)
        return (entry.revents & POLLIN) != 0 ? InputWait::Ready : InputWait::Quiet;
    std::this_thread::sleep_for(timeout);
    return lost ? InputWait::LineLost : InputWait::Quiet;
}

std::size_t readWaiting(int fd, std::span<char> buffer)
{
    ssize_t result = 0;
    do {
        result = ::read(fd, buffer.data(), buffer.size());
    } while (result < 0 && errno == EINTR);
    return result > 0 ? static_cast<std::size_t>(result) : 0;
}

namespace {

// Waits until the line takes output, at most until the deadline.
bool waitForRoom(int fd, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd entry{fd, POLLOUT, 0};
        const int result = ::poll(&entry, 1, static_cast<int>(std::max<std::int64_t>(0, left.count())));
        if (result > 0)
            return (entry.revents & POLLOUT) != 0 || (entry.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
        if (result == 0 || errno != EINTR)
            return false;
    }
}

// Hands the line as many of the bytes as it takes now, in one call: their
// count (0 when it has no room after all), or nothing when the write failed.
std::optional<std::size_t> writeWhatFits(int fd, std::string_view bytes)
{
    for (;;) {
        const ssize_t result = ::write(fd, bytes.data(), bytes.size());
        if (result >= 0)
            return static_cast<std::size_t>(result);
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        if (errno != EINTR)
            return std::nullopt;
    }
}

} // namespace

WriteResult writeWithin(int fd, std::string_view bytes, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!bytes.empty()) {
        if (!waitForRoom(fd, deadline)) {
            tcflush(fd, TCOFLUSH);
            return WriteResult::TimedOut;
        }
        const std::optional<std::size_t> taken = writeWhatFits(fd, bytes);
        if (!taken) {
            // A command with a hole in it could reach the reader as another
            // command ("WD 12 ..." as "WD 2 ..."): what the line still holds
            // of it is dropped and nothing more of it is sent.
            tcflush(fd, TCOFLUSH);
            return WriteResult::Failed;
        }
        bytes.remove_prefix(*taken);
    }
    return WriteResult::Written;
}

bool closeDevice(int fd)
{
    // Exclusive use outlives the descriptor while another one holds the line
    // open; without this, the next open of the same line would be refused.
    if (isatty(fd))
        ioctl(fd, TIOCNXCL);
    return ::close(fd) == 0;
}

} // namespace teb::serial
