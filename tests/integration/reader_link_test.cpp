// The reader link against the simulated reader on a real pseudo-terminal: the
// port with its receive thread, and the reader transactions on top of it.
#include "reader/reader_transaction.h"
#include "reader/terminal_send.h"

#include "support/reader_simulator.h"
#include "support/sink_lines.h"

#include <gtest/gtest.h>

#include <memory>

namespace teb {
namespace {

using namespace std::chrono_literals;
using test::ReaderSimulator;

// Bounds for things that take milliseconds; never a measure of speed.
constexpr std::int32_t kShortTimeBase = 5;  // waits of 20..85 ms, for answers that never come
constexpr std::int32_t kLongTimeBase = 250; // waits of 1..4 s, for answers that do come

const InterfaceSettings k8N1{"COM7", 115200, 8, parity::None, stopbits::One, flowcontrol::None};
const std::string kPage1 = "3031323334353637";
const std::string kPage2 = "38393A3B3C3D3E3F";
const std::string kOlder = "older line\r\n";

class ReaderLink : public testing::Test {
protected:
    ReaderLink()
    {
        sink.attach(port);
        terminal.text = kOlder;
    }

    // Starts the simulated reader (pages 1 and 2 filled) and opens the port to it.
    void connect(std::vector<std::string> options = {}, const InterfaceSettings &settings = k8N1)
    {
        port.Close(session.handle);
        options.insert(options.end(), {"--page", "1=" + kPage1, "--page", "2=" + kPage2});
        simulator = std::make_unique<ReaderSimulator>(std::move(options), settings.portName);
        ASSERT_TRUE(simulator->ready());
        port.setWorkingDirectory(simulator->directory());
        session.handle = port.Open(settings);
        ASSERT_TRUE(isUsablePort(session.handle));
        ASSERT_TRUE(port.receiveThreadRunning());
    }

    ReaderTransaction run(const ReaderCommand &command) { return runTransaction(session, command); }

    test::SinkLines sink;
    std::unique_ptr<ReaderSimulator> simulator;
    ReaderPort port; // closes before the simulator stops
    TerminalText terminal;
    ReaderSession session{port, kNoPort, kLongTimeBase, &terminal};
};

// Each answer tops the terminal view above its echo line, newest first; a
// running operation keeps the receive thread off the view. The terminal's own
// line goes out with a CR only while the port is open, its answer to the view.
TEST_F(ReaderLink, EachAnswerStandsAboveItsEchoAndATerminalSendWritesTheInputAndACr)
{
    connect({"--uid", "A1B2C3D4"});
    {
        ReaderOperationFlag writing(port, ReaderOperationFlag::Kind::Writing);
        EXPECT_TRUE(run(lockPageCommand(3)).succeeded);
        EXPECT_FALSE(run(writePageCommand(3, kPage1)).succeeded);
        EXPECT_TRUE(run(readUidCommand()).succeeded);
        EXPECT_EQ(terminal.text, "A1B2C3D4\r\nRUID // Read UID\r\nNAK\r\nWD 3 " + kPage1 +
                                    "// Write page 3\r\nACK\r\nLD 3 // Lock page 3\r\n" + kOlder);
        EXPECT_TRUE(sink.once(0).empty());
    }
    terminal.text = kOlder;
    EXPECT_FALSE(terminalSend(port, session.handle, false, "RD 2"));
    EXPECT_TRUE(terminalSend(port, session.handle, true, ""));
    EXPECT_TRUE(terminalSend(port, session.handle, true, "RD 1"));
    EXPECT_EQ(sink.once(1), std::vector<std::string>{kPage1 + "\r\n"});
    EXPECT_EQ(simulator->receivedLines(5),
              (std::vector<std::string>{"LD 3", "WD 3 " + kPage1, "RUID", "", "RD 1"}));
    EXPECT_EQ(terminal.text, kOlder);
}

// No answer in time fails with an empty line shown. A write the
// reader carried out but whose "ACK" was lost fails like it, while the
// transponder holds the new data; a lost command leaves the page as it was.
TEST_F(ReaderLink, NoAnswerInTimeFailsAndAWriteWhoseAckWasLostLeftItsData)
{
    const std::string data = "00FF00FF00FF00FF";
    for (const auto &[fault, pageAfter] : {std::pair("answer-lost", data), std::pair("no-answer", kPage1)}) {
        SCOPED_TRACE(fault);
        connect({"--fault", fault, "--fault-on", "WD 1"});
        session.timeBase = kShortTimeBase;
        terminal.text = kOlder;
        const ReaderTransaction write = run(writePageCommand(1, data));
        EXPECT_TRUE(write.sent);
        EXPECT_FALSE(write.succeeded);
        EXPECT_EQ(terminal.text, "\r\nWD 1 " + data + "// Write page 1\r\n" + kOlder);
        session.timeBase = kLongTimeBase;
        EXPECT_EQ(run(readPageCommand(1)).kept, pageAfter);
    }
}

// An answer that comes after its command's wait is never taken for the next
// command's: neither one still on its way when the next command is due (it
// is awaited, as long again as its command's wait, and dropped) nor one that
// came in between (a line complete before a command is sent is not its answer).
TEST_F(ReaderLink, ALateAnswerIsNeverTakenForTheNextCommands)
{
    for (const char *lateBy : {"300", "600"}) {
        SCOPED_TRACE(lateBy);
        connect({"--delay", "200", "--fault", "slow", "--fault-on", "LD 1", "--fault-delay", lateBy});
        sink.clear(); // the last run's receive thread has ended: nothing of it comes after this
        session.timeBase = 100; // the lock waits 400 ms, a page read 1700 ms
        EXPECT_FALSE(run(lockPageCommand(1)).succeeded);
        if (std::string(lateBy) == "600") { // no operation runs: the late line reaches the terminal view
            EXPECT_EQ(sink.once(1), std::vector<std::string>{"ACK\r\n"});
        }
        const ReaderTransaction next = run(readPageCommand(1));
        EXPECT_EQ(next.answer, kPage1 + "\r\n");
        EXPECT_TRUE(next.succeeded);
    }
}

TEST_F(ReaderLink, ThePortIsExclusiveAndReopensAfterClose)
{
    // COM12 through its link, at a rate that has no standard speed constant.
    connect({}, {"COM12", 56000, 8, parity::None, stopbits::Two, flowcontrol::None});
    EXPECT_TRUE(fixTimeBase(session, TimeBaseFactor::Other).succeeded);
    const auto openAnother = [&](ReaderPort &another) {
        another.setWorkingDirectory(simulator->directory());
        return another.Open("COM12", 115200, 8, parity::None, stopbits::One, flowcontrol::None);
    };
    {
        ReaderPort second;
        EXPECT_EQ(openAnother(second), kNoPort);
    }
    const PortHandle closed = session.handle;
    EXPECT_TRUE(port.Close(session.handle));
    EXPECT_FALSE(port.receiveThreadRunning());
    EXPECT_EQ(port.WriteText("TOR\r", closed), kWriteNoPort);
    session.handle = openAnother(port);
    ASSERT_TRUE(isUsablePort(session.handle));
    EXPECT_TRUE(run(readUidCommand()).succeeded);
    session.handle = openAnother(port); // opening again replaces the link
    ASSERT_TRUE(isUsablePort(session.handle));
    EXPECT_TRUE(run(readUidCommand()).succeeded);
}

} // namespace
} // namespace teb
