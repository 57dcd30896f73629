// Times one reader transaction through the station's code against the same
// bytes exchanged directly on the pseudo-terminal, with the simulated reader
// answering at once. Usage: reader_round_trip [rounds]
#include "reader/reader_transaction.h"
#include "round_trip_stats.h"

#include "support/reader_simulator.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace teb::bench {
namespace {

constexpr int kDefaultRounds = 2000;
constexpr int kWarmUpRounds = 50;
constexpr Duration kTarget{0.3};
const std::string kPageData = "3031323334353637";

struct Series {
    std::vector<Duration> samples;
    int failures = 0;
};

Series measure(int rounds, const std::function<bool()> &roundTrip)
{
    Series series;
    for (int round = 0; round < kWarmUpRounds + rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const bool ok = roundTrip();
        const Duration taken = std::chrono::steady_clock::now() - start;
        if (round < kWarmUpRounds)
            continue;
        series.samples.push_back(taken);
        series.failures += ok ? 0 : 1;
    }
    return series;
}

// The command through ReaderPort and ReaderTransaction, as an operation sends it.
Series stationSeries(ReaderSession &session, const ReaderCommand &command, int rounds)
{
    return measure(rounds, [&] {
        return runTransaction(session, command).succeeded;
    });
}

// The same bytes written at once and the answer read up to its CR, nothing else.
class BarePty {
public:
    explicit BarePty(const std::string &device) : m_fd(::open(device.c_str(), O_RDWR | O_NOCTTY))
    {
        termios raw{};
        ::tcgetattr(m_fd, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(m_fd, TCSANOW, &raw);
    }
    ~BarePty()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    BarePty(const BarePty &) = delete;
    BarePty &operator=(const BarePty &) = delete;

    bool usable() const { return m_fd >= 0; }

    bool roundTrip(const std::string &command)
    {
        if (::write(m_fd, command.data(), command.size()) != static_cast<ssize_t>(command.size()))
            return false;
        char chunk[64];
        for (;;) {
            const ssize_t count = ::read(m_fd, chunk, sizeof chunk);
            if (count <= 0)
                return false;
            if (chunk[count - 1] == '\r')
                return true;
        }
    }

private:
    int m_fd;
};

void report(const std::string &label, const Series &series)
{
    std::printf("%s%s\n", describe(label, figuresOf(series.samples)).c_str(),
                series.failures ? ("   FAILED " + std::to_string(series.failures)).c_str() : "");
}

void compare(const std::string &command, const Series &station, const Series &floor)
{
    const Duration over = figuresOf(station.samples).median - figuresOf(floor.samples).median;
    std::printf("%-28s %+7.3f ms over the floor (target: within %.3f ms) %s\n", (command + " station overhead").c_str(),
                over.count(), kTarget.count(), over <= kTarget ? "ok" : "OVER");
}

int run(int rounds)
{
    test::ReaderSimulator simulator({"--delay", "0"});
    if (!simulator.ready()) {
        std::fprintf(stderr, "the simulated reader did not start\n");
        return EXIT_FAILURE;
    }
    const ReaderCommand read = readPageCommand(1);
    const ReaderCommand write = writePageCommand(1, kPageData);

    ReaderPort port;
    port.setWorkingDirectory(simulator.directory());
    ReaderSession session{port, port.Open(simulator.portName(), 115200, 8, 0, 0, 0)};
    if (!isUsablePort(session.handle)) {
        std::fprintf(stderr, "%s could not be opened\n", simulator.portName().c_str());
        return EXIT_FAILURE;
    }
    Series stationRead, stationWrite;
    {
        ReaderOperationFlag operation(port, ReaderOperationFlag::Kind::Writing);
        stationRead = stationSeries(session, read, rounds);
        stationWrite = stationSeries(session, write, rounds);
    }
    port.Close(session.handle);

    BarePty pty(simulator.devicePath());
    if (!pty.usable()) {
        std::fprintf(stderr, "%s could not be opened\n", simulator.devicePath().c_str());
        return EXIT_FAILURE;
    }
    const Series floorRead = measure(rounds, [&] { return pty.roundTrip(read.text); });
    const Series floorWrite = measure(rounds, [&] { return pty.roundTrip(write.text); });

    std::printf("%d rounds each, the simulated reader answering without delay\n", rounds);
    std::printf("%s\n", describeLoad().c_str());
    report("RD 1 through the station", stationRead);
    report("RD 1 bare on the pty", floorRead);
    report("WD 1 through the station", stationWrite);
    report("WD 1 bare on the pty", floorWrite);
    compare("RD 1", stationRead, floorRead);
    compare("WD 1", stationWrite, floorWrite);
    return stationRead.failures + stationWrite.failures + floorRead.failures + floorWrite.failures == 0
               ? EXIT_SUCCESS
               : EXIT_FAILURE;
}

} // namespace
} // namespace teb::bench

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : teb::bench::kDefaultRounds;
    return teb::bench::run(rounds > 0 ? rounds : teb::bench::kDefaultRounds);
}
