// The simulated reader spoken to over its own line, without the station.
#include "support/reader_simulator.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace teb {
namespace {

using test::ReaderSimulator;

// Bound for an answer that does come; never a measure of speed.
constexpr int kPatienceMs = 10000;
const std::string kZeroPage = "0000000000000000";
const std::string kPage1 = "3031323334353637";

// The simulator's line opened raw, as a reader's counterpart.
class SimulatorLine {
public:
    explicit SimulatorLine(const std::string &devicePath) : fd(::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC))
    {
        termios settings{};
        if (fd >= 0 && tcgetattr(fd, &settings) == 0) {
            cfmakeraw(&settings);
            tcsetattr(fd, TCSANOW, &settings);
        }
    }
    ~SimulatorLine()
    {
        if (fd >= 0)
            ::close(fd);
    }
    SimulatorLine(const SimulatorLine &) = delete;
    SimulatorLine &operator=(const SimulatorLine &) = delete;

    // Sends the command with its CR; returns the next answer line without its CR.
    std::string ask(const std::string &command) const
    {
        const std::string bytes = command + "\r";
        if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            return "<not sent>";
        std::string line;
        char byte = 0;
        pollfd entry{fd, POLLIN, 0};
        while (::poll(&entry, 1, kPatienceMs) > 0 && ::read(fd, &byte, 1) == 1) {
            if (byte == '\r')
                return line;
            line += byte;
        }
        return "<no answer>";
    }

    int fd = -1;
};

// Each new transponder has the next UID (or the first one's, with
// --same-uid), the log says which lies on the antenna, and the one before
// comes back as it was left.
TEST(SimulatorLine, EveryNewTransponderHasTheNextUidUnlessAllShareOne)
{
    for (const bool sameUid : {false, true}) {
        std::vector<std::string> options{"--uid", "E00401FE", "--lock", "3"};
        if (sameUid)
            options.push_back("--same-uid");
        ReaderSimulator simulator(options);
        ASSERT_TRUE(simulator.ready());
        SimulatorLine line(simulator.devicePath());
        ASSERT_GE(line.fd, 0);
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
        EXPECT_EQ(line.ask("RD 1"), kZeroPage);       // a new one, as the options made the first
        EXPECT_EQ(line.ask("WD 3 " + kPage1), "NAK"); // with the first one's locks
        const std::vector<std::string> logged = simulator.antennaLines(4);
        ASSERT_EQ(logged.size(), 4u);
        EXPECT_EQ(logged.front(), "# transponder E00401FE on the antenna");
        EXPECT_EQ(logged.back(), "# transponder " + expected.back() + " new on the antenna");
    }
}

} // namespace
} // namespace teb
