// The reader port against the simulated reader on a real pseudo-terminal.
#include "reader/reader_port.h"

#include "support/reader_simulator.h"

#include <gtest/gtest.h>

#include <fcntl.h>

#include <algorithm>
#include <ctime>
#include <mutex>
#include <thread>

namespace teb {

void PrintTo(const InterfaceSettings &s, std::ostream *out)
{
    *out << s.portName << ' ' << s.baudRate << ' ' << s.dataBits << ' ' << s.parityCode << ' '
         << s.stopBitsCode << ' ' << s.flowControlCode;
}

namespace {

using namespace std::chrono_literals;
using test::ReaderSimulator;

// Answers come within milliseconds; these bounds only stop a broken run.
constexpr auto kAnswerArrives = 10s;
// A wait that must end without a line; its length does not matter.
constexpr auto kNoAnswer = 300ms;

// What reaches the terminal view, collected from the receive thread.
class TerminalLines {
public:
    ReaderPort::TerminalSink sink()
    {
        return [this](const std::string &line) {
            std::lock_guard lock(m_mutex);
            m_lines.push_back(line);
        };
    }
    std::vector<std::string> lines() const
    {
        std::lock_guard lock(m_mutex);
        return m_lines;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
};

class ReaderPortLink : public testing::Test {
protected:
    // Starts the simulator with the options and opens the port to it at 115200 8N1.
    void connect(std::vector<std::string> options = {}, std::string portName = "COM7")
    {
        simulator = std::make_unique<ReaderSimulator>(std::move(options), portName);
        ASSERT_TRUE(simulator->ready());
        port.setWorkingDirectory(simulator->directory());
        port.setTerminalSink(terminal.sink());
        handle = port.Open(portName, 115200, 8, parity::None, stopbits::One, flowcontrol::None);
        ASSERT_TRUE(isUsablePort(handle));
        ASSERT_TRUE(port.receiveThreadRunning());
    }

    // Sends a command and returns the line that answers it; "(none)" when no line came.
    std::string exchange(const std::string &command)
    {
        port.resetLineEvent();
        EXPECT_EQ(port.WriteText(command, handle), 0u) << command;
        std::string line;
        return port.waitForLine(kAnswerArrives, line) ? line : "(none)";
    }

    // Waits until the simulator has logged `count` lines.
    std::vector<std::string> linesReceivedBySimulator(std::size_t count)
    {
        const auto deadline = std::chrono::steady_clock::now() + kAnswerArrives;
        std::vector<std::string> lines = simulator->receivedLines();
        while (lines.size() < count && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(5ms);
            lines = simulator->receivedLines();
        }
        return lines;
    }

    std::unique_ptr<ReaderSimulator> simulator;
    TerminalLines terminal;
    ReaderPort port; // declared last: closes before the simulator stops
    PortHandle handle = kNoPort;
};

TEST_F(ReaderPortLink, ACompleteLineSignalsTheEventAndCarriesCrLf)
{
    connect({"--uid", "A1B2C3D4", "--tor", "12", "--page", "5=0011223344AABBFF"});
    EXPECT_EQ(exchange("TOR\r"), "12\r\n");
    EXPECT_EQ(exchange("RUID\r"), "A1B2C3D4\r\n");
    EXPECT_EQ(exchange("RD 5\r"), "0011223344AABBFF\r\n");
    EXPECT_EQ(exchange("WD 5 3031323334353637\r"), "ACK\r\n");
    EXPECT_EQ(exchange("RD 5\r"), "3031323334353637\r\n");
    EXPECT_EQ(linesReceivedBySimulator(5),
              (std::vector<std::string>{"TOR", "RUID", "RD 5", "WD 5 3031323334353637", "RD 5"}));
}

TEST_F(ReaderPortLink, CrLfAnswersLeaveTheLfAtTheStartOfTheNextLine)
{
    connect({"--crlf"});
    EXPECT_EQ(exchange("TOR\r"), "10\r\n");
    EXPECT_EQ(exchange("RD 1\r"), "\n0000000000000000\r\n");
    EXPECT_EQ(exchange("LD 1\r"), "\nACK\r\n");
}

TEST_F(ReaderPortLink, ALoneCrIsACompleteEmptyLine)
{
    connect({"--fault", "empty-answer", "--fault-count", "1"});
    EXPECT_EQ(exchange("TOR\r"), "\r\n");
    EXPECT_EQ(exchange("TOR\r"), "10\r\n");
}

TEST_F(ReaderPortLink, ALineLongerThanTheBufferKeepsItsStartAndSpoilsNothingAfterIt)
{
    connect({"--fault", "long-answer", "--fault-on", "RD"});
    const std::string line = exchange("RD 2\r");
    EXPECT_EQ(line, "0000000000000000" + std::string(252 - 16, '9') + "\r\n");
    EXPECT_EQ(exchange("TOR\r"), "10\r\n");
    EXPECT_EQ(exchange("RD 2\r"), line);
}

TEST_F(ReaderPortLink, NoiseBytesStayInTheLineAndANulEndsItsText)
{
    connect({"--noise", "FF0A7F", "--fault", "marker-x", "--fault-on", "RUID"});
    EXPECT_EQ(exchange("TOR\r"), "\xFF\n\x7F" "10\r\n");
    EXPECT_EQ(exchange("RUID\r"), "\xFF\n\x7FXXXXXXXX\r\n");
}

TEST_F(ReaderPortLink, ALineIsTextUpToItsFirstNul)
{
    connect({"--noise", "414200"});
    EXPECT_EQ(exchange("TOR\r"), "AB");
    EXPECT_EQ(terminal.lines(), std::vector<std::string>{"AB"});
}

TEST_F(ReaderPortLink, LinesReachTheTerminalOnlyWhileNoOperationRuns)
{
    connect({"--tor", "7"});
    port.readingActive = true;
    EXPECT_EQ(exchange("TOR\r"), "7\r\n");
    port.readingActive = false;
    port.writingActive = true;
    EXPECT_EQ(exchange("LD 3\r"), "ACK\r\n");
    port.writingActive = false;
    EXPECT_TRUE(terminal.lines().empty());

    EXPECT_EQ(exchange("RD 17\r"), "0000000000000000\r\n");
    EXPECT_EQ(exchange("WD 3 0000000000000000\r"), "NAK\r\n");
    EXPECT_EQ(terminal.lines(), (std::vector<std::string>{"0000000000000000\r\n", "NAK\r\n"}));
}

TEST_F(ReaderPortLink, ALateLineLeavesTheEventSignalledForTheNextWait)
{
    connect({"--fault", "slow", "--fault-delay", "200", "--fault-count", "1"});
    port.resetLineEvent();
    ASSERT_EQ(port.WriteText("TOR\r", handle), 0u);
    std::string line;
    EXPECT_FALSE(port.waitForLine(1ms, line));
    EXPECT_TRUE(port.waitForLine(kAnswerArrives, line));
    EXPECT_EQ(line, "10\r\n");
    EXPECT_FALSE(port.waitForLine(1ms, line)); // taken: the event is reset
}

TEST_F(ReaderPortLink, ReopensWithAFreshThreadAfterClose)
{
    connect({}, "COM12");
    EXPECT_EQ(exchange("TOR\r"), "10\r\n");
    const PortHandle first = handle;
    EXPECT_TRUE(port.Close(handle));
    EXPECT_FALSE(port.receiveThreadRunning());
    EXPECT_EQ(port.WriteText("TOR\r", first), kWriteNoPort);
    EXPECT_TRUE(port.Close(kNoPort));

    handle = port.Open("COM12", 115200, 8, parity::None, stopbits::One, flowcontrol::None);
    ASSERT_TRUE(isUsablePort(handle));
    EXPECT_TRUE(port.receiveThreadRunning());
    EXPECT_EQ(exchange("RUID\r"), "E0040150\r\n");
}

TEST_F(ReaderPortLink, TextsLongerThan255CharactersAreSentWhole)
{
    connect();
    const std::string text(300, 'Z');
    EXPECT_EQ(exchange(text + "\r"), "ERR\r\n");
    EXPECT_EQ(linesReceivedBySimulator(1), std::vector<std::string>{text});
}

TEST_F(ReaderPortLink, AnOpenPortIsNotShared)
{
    connect();
    ReaderPort second;
    second.setWorkingDirectory(simulator->directory());
    EXPECT_EQ(second.Open("COM7", 115200, 8, parity::None, stopbits::One, flowcontrol::None), kNoPort);
    EXPECT_FALSE(second.receiveThreadRunning());
    EXPECT_EQ(exchange("TOR\r"), "10\r\n");
}

TEST_F(ReaderPortLink, OpeningAgainReplacesTheOpenLink)
{
    connect();
    const PortHandle second =
        port.Open("COM7", 115200, 8, parity::None, stopbits::One, flowcontrol::None);
    ASSERT_TRUE(isUsablePort(second));
    EXPECT_TRUE(port.receiveThreadRunning());
    handle = second;
    EXPECT_EQ(exchange("TOR\r"), "10\r\n");
}

class RefusedLineSettings : public ReaderPortLink, public testing::WithParamInterface<InterfaceSettings> {};

TEST_P(RefusedLineSettings, LeaveThePortOpenWithoutReceiveThreadAndCloseAtOnce)
{
    simulator = std::make_unique<ReaderSimulator>();
    ASSERT_TRUE(simulator->ready());
    port.setWorkingDirectory(simulator->directory());
    handle = port.Open(GetParam());
    ASSERT_TRUE(isUsablePort(handle));
    EXPECT_FALSE(port.receiveThreadRunning());

    port.resetLineEvent();
    EXPECT_EQ(port.WriteText("TOR\r", handle), 0u); // commands still go out
    EXPECT_EQ(linesReceivedBySimulator(1), std::vector<std::string>{"TOR"});
    std::string line;
    EXPECT_FALSE(port.waitForLine(kNoAnswer, line)); // but no answer is ever taken

    EXPECT_TRUE(port.Close(handle));
    handle = kNoPort;
}

INSTANTIATE_TEST_SUITE_P(
    Refused, RefusedLineSettings,
    testing::Values(InterfaceSettings{"COM7", 115200, 4, parity::None, stopbits::One, flowcontrol::None},
                    InterfaceSettings{"COM7", 0, 8, parity::None, stopbits::One, flowcontrol::None},
                    InterfaceSettings{"COM7", 9600, 8, parity::None, stopbits::OneAndHalf, flowcontrol::None},
                    // a pseudo-terminal carries no parity: the driver refuses
                    InterfaceSettings{"COM7", 9600, 7, parity::Even, stopbits::One, flowcontrol::None}));

// Processor time of all threads of this process.
double processCpuSeconds()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

TEST_F(ReaderPortLink, AVanishedPortNeitherSpinsNorHangsAndWritesFail)
{
    connect();
    EXPECT_EQ(exchange("TOR\r"), "10\r\n");
    simulator->kill(); // the line hangs up, as when the adapter is pulled

    const double cpuBefore = processCpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(1s);
    const double cpuUsed = processCpuSeconds() - cpuBefore;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    EXPECT_LT(cpuUsed, wall / 2) << "the receive thread keeps the processor busy";

    EXPECT_TRUE(port.receiveThreadRunning());
    EXPECT_NE(port.WriteText("TOR\r", handle), 0u);
    std::string line;
    EXPECT_FALSE(port.waitForLine(kNoAnswer, line));
    port.Close(handle); // returns: nothing waits for the dead line
    EXPECT_FALSE(port.receiveThreadRunning());
    handle = kNoPort;
}

TEST_F(ReaderPortLink, DestroyingThePortStopsTheThreadAndClosesTheLine)
{
    simulator = std::make_unique<ReaderSimulator>();
    ASSERT_TRUE(simulator->ready());
    PortHandle opened = kNoPort;
    {
        ReaderPort scoped;
        scoped.setWorkingDirectory(simulator->directory());
        opened = scoped.Open("COM7", 115200, 8, parity::None, stopbits::One, flowcontrol::None);
        ASSERT_TRUE(isUsablePort(opened));
        ASSERT_TRUE(scoped.receiveThreadRunning());
    }
    EXPECT_EQ(fcntl(opened, F_GETFD), -1);
}

TEST(ReaderSimulatorProcess, RemovesItsLinkWhenStopped)
{
    ReaderSimulator simulator({}, "COM3");
    ASSERT_TRUE(simulator.ready());
    EXPECT_EQ(std::filesystem::read_symlink(simulator.linkPath()), simulator.devicePath());
    EXPECT_EQ(simulator.stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(simulator.linkPath())));
}

} // namespace
} // namespace teb
