#include "reader/reader_port.h"
#include "reader/reader_transaction.h"
#include "reader/serial_port.h"

#include "support/pseudo_line.h"
#include "support/sink_lines.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <vector>
#include <future>
#include <thread>

// The descriptor whose next write() fails with EIO, as a serial adapter's
// write may fail once in the middle of a command; -1 when none.
static std::atomic<int> failNextWriteOn{-1};

extern "C" ssize_t write(int fd, const void *data, size_t size)
{
    static const auto realWrite = reinterpret_cast<ssize_t (*)(int, const void *, size_t)>(dlsym(RTLD_NEXT, "write"));
    int armed = fd;
    if (failNextWriteOn.compare_exchange_strong(armed, -1)) {
        errno = EIO;
        return -1;
    }
    return realWrite(fd, data, size);
}

namespace teb {
namespace {

// Without a device it sends nothing, and it never writes to or closes a
// descriptor it does not hold.
TEST(ReaderPortWithoutDevice, SendsNothingAndLeavesOtherDescriptorsAlone)
{
    ReaderPort port;
    EXPECT_EQ(port.WriteText("TOR\r", kNoPort), kWriteNoPort);
    EXPECT_TRUE(port.Close(kNoPort));
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    EXPECT_EQ(port.WriteText("TOR\r", pipeEnds[1]), kWriteNoPort);
    EXPECT_FALSE(port.Close(pipeEnds[1]));
    EXPECT_NE(fcntl(pipeEnds[1], F_GETFD), -1); // still open
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
}

// A port open on a pseudo-terminal whose master side plays the reader's line.
class ReaderPortOnALine : public testing::Test {
protected:
    void open(int flowControl = flowcontrol::None)
    {
        ASSERT_FALSE(line.slavePath.empty());
        handle = port.Open(line.slavePath, 115200, 8, parity::None, stopbits::One, flowControl);
        ASSERT_TRUE(isUsablePort(handle));
    }
    ReaderTransaction run(const ReaderCommand &command)
    {
        ReaderSession session{port, handle, 10, &terminal};
        return runTransaction(session, command);
    }

    test::PseudoLine line;
    test::SinkLines sink; // outlives the port's receive thread
    ReaderPort port;
    PortHandle handle = kNoPort;
    TerminalText terminal;

    ReaderPortOnALine() { sink.attach(port); }
};

// The line acts on XOFF or XON a moment after it was sent: waits (at most
// 10 s) until the port's output is stopped or free again.
bool waitForOutput(int fd, bool free)
{
    for (int attempt = 0; attempt < 1000; ++attempt) {
        pollfd entry{fd, POLLOUT, 0};
        if ((::poll(&entry, 1, 0) > 0 && (entry.revents & POLLOUT)) == free)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST_F(ReaderPortOnALine, AWriteHeldByXoffEndsWithinTheCommandsWaitAndThePortStaysUsable)
{
    open(flowcontrol::XonXoff);
    line.send("\x13");  // XOFF
    ASSERT_TRUE(waitForOutput(handle, false));
    auto held = std::async(std::launch::async, [&] { return run(lockPageCommand(1)); });
    if (held.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        line.send("\x11");  // release the blocked write so that the test can end
        held.wait();
        FAIL() << "the write waited for XON";
    }
    const ReaderTransaction transaction = held.get();
    EXPECT_FALSE(transaction.sent || transaction.succeeded);
    EXPECT_EQ(terminal.text, "\r\nLD 1 // Lock page 1\r\n");  // shown like a command that got no answer

    line.send("\x11");  // XON
    ASSERT_TRUE(waitForOutput(handle, true));
    EXPECT_EQ(port.WriteText("TOR\r", handle), 0u);
    EXPECT_EQ(line.receiveLine(), "TOR\r");  // the stalled command does not go out behind it
    EXPECT_TRUE(port.Close(handle));
}

// A write that fails sends nothing more of its command: no "WD 2 ..." made of "WD 12 ...".
TEST_F(ReaderPortOnALine, AFailedWriteSendsNothingMoreOfItsCommand)
{
    open();
    failNextWriteOn = handle;
    const ReaderTransaction failed = run(writePageCommand(12, "3031323334353637"));
    EXPECT_EQ(failNextWriteOn, -1);
    EXPECT_FALSE(failed.sent || failed.succeeded);
    EXPECT_EQ(terminal.text, "\r\n"); // no echo line, only the empty answer
    EXPECT_EQ(port.WriteText("TOR\r", handle), 0u);
    EXPECT_EQ(line.receiveLine(), "TOR\r");
    EXPECT_TRUE(port.Close(handle));
}

TEST_F(ReaderPortOnALine, LinesArrivingTogetherAreTakenOneByOneAsIfTheyCameApart)
{
    open();

    // Far more than one read takes, in one burst: lines of every kind, one beyond the limit.
    using namespace std::string_literals;
    const std::string tooLong(600, 'L');
    // A line is text up to its first NUL, as the answers are read.
    // CR LF is one line end; a LF elsewhere is a character.
    line.send("ACK\r\r\nNo Read\rX\0Y\r"s + tooLong + "\r\n\n3031323334353637\r");
    const std::vector<std::string> expected{"ACK\r\n", "\r\n", "No Read\r\n", "X",
                                            std::string(252, 'L') + "\r\n", "\n3031323334353637\r\n"};
    EXPECT_EQ(sink.once(expected.size()), expected);
    // The newest line is the one handed over. The terminal sees a line just
    // before it is handed over, so the last one may still be on its way.
    const std::string newest = "\n3031323334353637\r\n";
    std::string last;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (port.waitForLine(std::chrono::seconds(10), last) && last != newest
           && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(last, newest);
    EXPECT_TRUE(port.Close(handle));
}

// An adapter pulled: the receive thread sees the line hang up; writes fail
// and the port closes as usual.
TEST_F(ReaderPortOnALine, AHungUpLineIsReportedLostUntilThePortIsClosed)
{
    open();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(port.lineLost());

    line.hangUp();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_TRUE(port.lineLost());
    EXPECT_EQ(port.WriteText("TOR\r", handle), serial::kWriteFailedMask);
    port.Close(handle);
    EXPECT_FALSE(port.lineLost() || port.receiveThreadRunning());
}

} // namespace
} // namespace teb
