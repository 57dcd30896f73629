// Reader transactions against the simulated reader on a real pseudo-terminal.
#include "reader/reader_transaction.h"
#include "reader/terminal_send.h"

#include "support/reader_simulator.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace teb {
namespace {

using namespace std::chrono_literals;
using test::ReaderSimulator;

// Generous bounds for things that take milliseconds; never a measure of speed.
constexpr auto kPatience = 10s;
constexpr std::int32_t kShortTimeBase = 5;  // waits of 20..85 ms: for answers that never come
constexpr std::int32_t kLongTimeBase = 250; // waits of 1..4 s: for answers that do come

const std::string kPage1 = "3031323334353637";
const std::string kPage2 = "38393A3B3C3D3E3F";
const std::string kOlder = "older line\r\n";

class ReaderTransactionTest : public testing::Test {
protected:
    void connect(std::vector<std::string> options)
    {
        options.insert(options.end(), {"--page", "1=" + kPage1, "--page", "2=" + kPage2});
        simulator = std::make_unique<ReaderSimulator>(std::move(options));
        ASSERT_TRUE(simulator->ready());
        port.setWorkingDirectory(simulator->directory());
        port.setTerminalSink([this](const std::string &line) {
            std::lock_guard lock(sinkMutex);
            sinkLines.push_back(line);
            sinkChanged.notify_all();
        });
        session.handle = port.Open("COM7", 115200, 8, parity::None, stopbits::One, flowcontrol::None);
        ASSERT_TRUE(isUsablePort(session.handle));
    }

    // Lines that reached the terminal view through the receive thread, once there are `count`.
    std::vector<std::string> sinkLinesOnce(std::size_t count)
    {
        std::unique_lock lock(sinkMutex);
        sinkChanged.wait_for(lock, kPatience, [&] { return sinkLines.size() >= count; });
        return sinkLines;
    }

    std::unique_ptr<ReaderSimulator> simulator;
    ReaderPort port;
    std::int32_t timeBase = kLongTimeBase;
    std::string terminalText = kOlder;
    ReaderSession session{port, kNoPort, timeBase, terminalText};

    std::mutex sinkMutex;
    std::condition_variable sinkChanged;
    std::vector<std::string> sinkLines;
};

TEST_F(ReaderTransactionTest, ReadsStackAnswerAboveEchoNewestFirstAndTorShowsNothing)
{
    connect({});
    ReaderOperationFlag reading(port, ReaderOperationFlag::Kind::Reading);
    EXPECT_TRUE(fixTimeBase(session, TimeBaseFactor::PageRead).succeeded);
    EXPECT_EQ(timeBase, 130);
    const ReaderTransaction first = runTransaction(session, readPageCommand(1));
    const ReaderTransaction second = runTransaction(session, readPageCommand(2));
    EXPECT_TRUE(first.succeeded && second.succeeded);
    EXPECT_EQ(second.answer, kPage2 + "\r\n");
    EXPECT_EQ(terminalText, kPage2 + "\r\nRD 2 // Read page 2\r\n" + kPage1 + "\r\nRD 1 // Read page 1\r\n" + kOlder);
    EXPECT_TRUE(sinkLines.empty());
}

TEST_F(ReaderTransactionTest, TheTimeNumberGivesFactor25OrForPageReads13)
{
    connect({"--tor", "10"});
    fixTimeBase(session, TimeBaseFactor::Other);
    EXPECT_EQ(timeBase, 250);
    fixTimeBase(session, TimeBaseFactor::PageRead);
    EXPECT_EQ(timeBase, 130);
}

TEST_F(ReaderTransactionTest, WriteReadBackLockAndARefusedWrite)
{
    connect({});
    ReaderOperationFlag writing(port, ReaderOperationFlag::Kind::Writing);
    const std::string data = "00FF00FF00FF00FF";
    EXPECT_TRUE(runTransaction(session, writePageCommand(3, data)).succeeded);
    EXPECT_EQ(runTransaction(session, readPageCommand(3)).kept, data);
    EXPECT_TRUE(runTransaction(session, lockPageCommand(3)).succeeded);
    const ReaderTransaction refused = runTransaction(session, writePageCommand(3, kPage1));
    EXPECT_FALSE(refused.succeeded);
    EXPECT_EQ(refused.kept, "NAK");
    const ReaderTransaction uid = runTransaction(session, readUidCommand());
    EXPECT_TRUE(uid.succeeded);
    EXPECT_TRUE(terminalText.starts_with("E0040150\r\nRUID // Read UID\r\nNAK\r\nWD 3 " + kPage1 +
                                         "// Write page 3\r\nACK\r\nLD 3 // Lock page 3\r\n"))
        << terminalText;
}

TEST_F(ReaderTransactionTest, NoTransponderAnswersNoReadWhichFailsAndIsShown)
{
    connect({"--no-tag"});
    EXPECT_FALSE(runTransaction(session, readPageCommand(1)).succeeded);
    EXPECT_FALSE(runTransaction(session, readUidCommand()).succeeded);
    EXPECT_FALSE(runTransaction(session, lockPageCommand(1)).succeeded);
    EXPECT_EQ(terminalText, "No \r\nLD 1 // Lock page 1\r\nNo Read\r\r\nRUID // Read UID\r\nNo Read\r\n\r\n"
                            "RD 1 // Read page 1\r\n" + kOlder);
}

TEST_F(ReaderTransactionTest, NoAnswerInTimeFailsWithAnEmptyLineShown)
{
    connect({"--fault", "no-answer", "--fault-on", "RD"});
    timeBase = kShortTimeBase;
    const ReaderTransaction timedOut = runTransaction(session, readPageCommand(9));
    EXPECT_TRUE(timedOut.sent);
    EXPECT_FALSE(timedOut.succeeded);
    EXPECT_EQ(timedOut.answer, "");
    EXPECT_EQ(terminalText, "\r\nRD 9 // Read page 9\r\n" + kOlder);
}

TEST_F(ReaderTransactionTest, ACommandThatCannotBeSentHasNoEchoAndNoWait)
{
    connect({});
    session.handle = kNoPort;
    const ReaderTransaction unsent = runTransaction(session, lockPageCommand(1));
    EXPECT_FALSE(unsent.sent || unsent.succeeded);
    EXPECT_EQ(terminalText, "\r\n" + kOlder);
    fixTimeBase(session, TimeBaseFactor::Other);
    EXPECT_EQ(timeBase, kLongTimeBase);
}

// Every answer comes 600 ms late, and "LD 1" 400 ms later still: after the
// station gave up waiting for it, but well before the next command's answer.
TEST_F(ReaderTransactionTest, ALateAnswerIsTakenByTheNextWait)
{
    connect({"--delay", "600", "--fault", "slow", "--fault-on", "LD 1", "--fault-delay", "400"});
    timeBase = 100; // the lock waits 400 ms, a page read 1700 ms
    EXPECT_FALSE(runTransaction(session, lockPageCommand(1)).succeeded);
    // No operation flag is set, so the late line shows up in the terminal view
    // as soon as it is complete; its event stays signalled.
    EXPECT_EQ(sinkLinesOnce(1), std::vector<std::string>{"ACK\r\n"});
    const ReaderTransaction next = runTransaction(session, readPageCommand(1));
    EXPECT_EQ(next.answer, "ACK\r\n");
    EXPECT_FALSE(next.succeeded);
}

TEST_F(ReaderTransactionTest, ACrLfReaderFailsEveryAnswerAfterTheFirst)
{
    connect({"--crlf"});
    ReaderOperationFlag writing(port, ReaderOperationFlag::Kind::Writing);
    EXPECT_TRUE(runTransaction(session, readPageCommand(1)).succeeded);
    const ReaderTransaction second = runTransaction(session, readPageCommand(2));
    EXPECT_EQ(second.answer, "\n" + kPage2 + "\r\n");
    EXPECT_FALSE(second.succeeded);
    EXPECT_FALSE(runTransaction(session, writePageCommand(1, kPage1)).succeeded);
}

TEST_F(ReaderTransactionTest, TerminalSendWritesTheInputAndACrOnlyWhenThePortIsOpen)
{
    connect({});
    EXPECT_FALSE(terminalSend(port, session.handle, false, "RD 2"));
    EXPECT_TRUE(terminalSend(port, session.handle, true, ""));
    EXPECT_TRUE(terminalSend(port, session.handle, true, "RD 1"));
    EXPECT_EQ(sinkLinesOnce(1), std::vector<std::string>{kPage1 + "\r\n"});
    EXPECT_EQ(simulator->receivedLines(), (std::vector<std::string>{"", "RD 1"}));
    EXPECT_EQ(terminalText, kOlder);
}

} // namespace
} // namespace teb
