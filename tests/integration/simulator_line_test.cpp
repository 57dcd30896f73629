// The simulated reader spoken to over its own line, without the station's
// operations: each new transponder, the ones put back, and the faults it
// injects with what they leave on the transponder.
#include "support/automatic_job.h"
#include "support/reader_simulator.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace teb {
namespace {

using test::ReaderSimulator;
using test::TempDir;

const std::string kPage1 = "3031323334353637";
const std::string kBlank = "0000000000000000";
constexpr int kAnswerPatienceMs = 5000;

// The simulator's line, read raw: every answer to a command is known for
// certain, a lost one too, because an unknown command behind it ("ERR",
// which no fault here hits) marks where its answers end.
class RawLine {
public:
    explicit RawLine(const std::string &device) : m_fd(::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {}
    ~RawLine()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    RawLine(const RawLine &) = delete;
    RawLine &operator=(const RawLine &) = delete;

    bool open() const { return m_fd >= 0; }

    // The one answer (without its CR) to `command`, "<lost>" for none.
    std::string ask(const std::string &command)
    {
        const std::string bytes = command + "\rMARK\r";
        if (::write(m_fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            return "<not sent>";
        std::vector<std::string> lines;
        for (std::string line = nextLine(); line != "ERR"; line = nextLine()) {
            if (line == "<none>")
                return "<no mark>";
            lines.push_back(line);
        }
        if (lines.empty())
            return "<lost>";
        return lines.size() == 1 ? lines[0] : "<" + std::to_string(lines.size()) + " answers>";
    }

private:
    std::string nextLine()
    {
        std::string line;
        pollfd entry{m_fd, POLLIN, 0};
        char byte = 0;
        while (::poll(&entry, 1, kAnswerPatienceMs) > 0 && ::read(m_fd, &byte, 1) == 1) {
            if (byte == '\r')
                return line;
            line.push_back(byte);
        }
        return "<none>";
    }

    int m_fd;
};

// Each new transponder has the next UID (or the first one's, with
// --same-uid), and a new one is blank with the first one's locks.
TEST(SimulatorLine, EveryNewTransponderHasTheNextUidUnlessAllShareOne)
{
    for (const bool sameUid : {false, true}) {
        std::vector<std::string> options{"--uid", "E00401FE", "--lock", "3"};
        if (sameUid)
            options.push_back("--same-uid");
        ReaderSimulator simulator(options);
        ASSERT_TRUE(simulator.ready());
        RawLine line(simulator.devicePath());
        EXPECT_EQ(line.ask("WD 1 " + kPage1), "ACK");
        std::vector<std::string> uids{line.ask("RUID")};
        for (int tag = 0; tag < 3; ++tag) {
            simulator.newTransponder();
            uids.push_back(line.ask("RUID"));
        }
        const std::vector<std::string> expected = sameUid
            ? std::vector<std::string>(4, "E00401FE")
            : std::vector<std::string>{"E00401FE", "E00401FF", "E0040200", "E0040201"};
        EXPECT_EQ(uids, expected) << "same UID: " << sameUid;
        EXPECT_EQ(line.ask("RD 1"), kBlank);
        EXPECT_EQ(line.ask("WD 3 " + kPage1), "NAK");
    }
}

std::vector<std::string> linesOf(const std::filesystem::path &file)
{
    std::vector<std::string> lines;
    std::istringstream text(test::readFileBytes(file));
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

// What each fault answers a write it hits, and whether the write took effect:
// garbled and lost answers leave the data on the tag, a refusal does not.
TEST(SimulatorFaults, AGarbledOrLostAnswerStillWritesARefusalDoesNot)
{
    struct Case {
        std::string fault;
        std::string answer;
        bool written;
    };
    for (const Case &c : {Case{"byte-before", " ACK", true}, Case{"cut-answer", "AC", true},
                          Case{"answer-lost", "<lost>", true}, Case{"nak", "NAK", false}}) {
        TempDir files;
        ReaderSimulator simulator({"--fault", c.fault, "--fault-on", "WD 1", "--fault-count", "1", "--write-log",
                                   (files / "writes.log").string()});
        ASSERT_TRUE(simulator.ready());
        RawLine line(simulator.devicePath());
        ASSERT_TRUE(line.open());
        EXPECT_EQ(line.ask("WD 1 " + kPage1), c.answer) << c.fault;
        EXPECT_EQ(line.ask("RD 1"), c.written ? kPage1 : kBlank) << c.fault;
        EXPECT_EQ(line.ask("WD 2 " + kPage1), "ACK") << c.fault;
        EXPECT_EQ(line.ask("LD 2"), "ACK") << c.fault;
        std::vector<std::string> expected{"E0040150 WD 2 " + kPage1, "E0040150 LD 2"};
        if (c.written)
            expected.insert(expected.begin(), "E0040150 WD 1 " + kPage1);
        EXPECT_EQ(linesOf(files / "writes.log"), expected) << c.fault;
        EXPECT_EQ(simulator.injectedFaults(), 1) << c.fault;
    }
}

// Random faults hit page commands alone, each by a lost, garbled or refused
// answer; the write log holds exactly the writes that took effect; once
// turned off, nothing more is hit.
TEST(SimulatorFaults, RandomFaultsHitPageCommandsUntilTurnedOff)
{
    TempDir files;
    ReaderSimulator simulator({"--random-faults", "400", "--seed", "7", "--write-log", (files / "writes.log").string()});
    ASSERT_TRUE(simulator.ready());
    RawLine line(simulator.devicePath());
    ASSERT_TRUE(line.open());
    std::map<std::string, int> answers;
    std::vector<std::string> tookEffect;
    constexpr int kWrites = 60;
    for (int write = 0; write < kWrites; ++write) {
        const std::string command = "WD " + std::to_string(write % 17 + 1) + " " + test::hexOf("write " + std::to_string(write % 10) + ".");
        const std::string answer = line.ask(command);
        ++answers[answer];
        if (answer != "NAK")
            tookEffect.push_back("E0040150 " + command);
        EXPECT_EQ(line.ask("RUID"), "E0040150");
    }
    EXPECT_GT(answers["<lost>"], 0);
    EXPECT_GT(answers[" ACK"] + answers["AC"], 0);
    EXPECT_GT(answers["NAK"], 0);
    EXPECT_EQ(answers["<lost>"] + answers[" ACK"] + answers["AC"] + answers["NAK"] + answers["ACK"], kWrites);
    EXPECT_EQ(simulator.injectedFaults(), kWrites - answers["ACK"]);

    simulator.faultsOff();
    for (int page = 1; page <= 17; ++page)
        EXPECT_EQ(line.ask("LD " + std::to_string(page)), "ACK") << page;
    EXPECT_EQ(simulator.injectedFaults(), kWrites - answers["ACK"]);
    const std::vector<std::string> logged = linesOf(files / "writes.log");
    EXPECT_EQ(std::vector<std::string>(logged.begin(), logged.begin() + static_cast<long>(tookEffect.size())), tookEffect);
}

// --swap-after: the next transponder lies on the antenna right after the
// command is answered, as many times as asked; an Orvex one there is not yet
// selected for writing.
TEST(SimulatorAntenna, TheNextTransponderComesRightAfterTheSwapCommand)
{
    TempDir files;
    ReaderSimulator ti({"--swap-after", "WD 1", "--swap-count", "1", "--write-log", (files / "ti.log").string()});
    ASSERT_TRUE(ti.ready());
    RawLine tiLine(ti.devicePath());
    EXPECT_EQ(tiLine.ask("WD 1 " + kPage1), "ACK");
    EXPECT_EQ(tiLine.ask("RUID"), "E0040151");
    EXPECT_EQ(tiLine.ask("RD 1"), kBlank);
    EXPECT_EQ(tiLine.ask("WD 1 " + kPage1), "ACK");
    EXPECT_EQ(tiLine.ask("RUID"), "E0040151"); // one swap only
    EXPECT_EQ(linesOf(files / "ti.log"),
              (std::vector<std::string>{"E0040150 WD 1 " + kPage1, "E0040151 WD 1 " + kPage1}));

    ReaderSimulator orvex({"--family", "orvex", "--swap-after", "WD 1"});
    ASSERT_TRUE(orvex.ready());
    RawLine orvexLine(orvex.devicePath());
    EXPECT_EQ(orvexLine.ask("RUID"), "E0040150");
    EXPECT_EQ(orvexLine.ask("WD 1 " + kPage1), "ACK");
    EXPECT_EQ(orvexLine.ask("WD 2 " + kPage1), "NAK");
    EXPECT_EQ(orvexLine.ask("RUID"), "E0040151");
    EXPECT_EQ(orvexLine.ask("WD 2 " + kPage1), "ACK");
    EXPECT_EQ(orvexLine.ask("WD 1 " + kPage1), "ACK");
    EXPECT_EQ(orvexLine.ask("RUID"), "E0040152"); // after every "WD 1"
}

// Put back in turn: every transponder so far, in the order they first came,
// each with what it was left with (pages and locks); SIGUSR2 still swaps with
// the one before.
TEST(SimulatorAntenna, EveryTransponderComesBackInTurnAsItWasLeft)
{
    ReaderSimulator simulator;
    ASSERT_TRUE(simulator.ready());
    RawLine line(simulator.devicePath());
    const std::vector<std::string> data{test::hexOf("first..."), test::hexOf("second.."), test::hexOf("third...")};
    for (std::size_t tag = 0; tag < data.size(); ++tag) {
        if (tag > 0)
            simulator.newTransponder();
        EXPECT_EQ(line.ask("WD 1 " + data[tag]), "ACK");
        EXPECT_EQ(line.ask("LD " + std::to_string(tag + 1)), "ACK");
    }
    EXPECT_EQ(simulator.transponderCount(), 3);
    const std::vector<std::string> uids{"E0040150", "E0040151", "E0040152", "E0040150"};
    for (std::size_t turn = 0; turn < uids.size(); ++turn) {
        simulator.putBackInTurn();
        EXPECT_EQ(line.ask("RUID"), uids[turn]) << turn;
        EXPECT_EQ(line.ask("RD 1"), data[turn % data.size()]) << turn;
        const std::string lockedPage = std::to_string(turn % data.size() + 1);
        EXPECT_EQ(line.ask("WD " + lockedPage + " " + kPage1), "NAK") << turn;
    }
    simulator.putBackTransponder();
    EXPECT_EQ(line.ask("RUID"), "E0040152");
}

} // namespace
} // namespace teb
