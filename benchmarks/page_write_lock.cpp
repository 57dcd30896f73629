// Times writePages and lockPages on all 17 pages against the simulated reader
// answering at once, and the same transactions exchanged bare on the
// pseudo-terminal (the floor). Usage: page_write_lock [rounds] [settle-ms]
//
// Every round opens its line afresh and then lets it settle for settle-ms
// (default 50, all three kinds alike) before the clock starts: the station
// opens its port at start-up, long before an operation, whereas a receive
// thread created a moment ago is scheduled late for its first milliseconds
// on a loaded machine. 0 times the operations right after the open.
#include "transponder/page_operations.h"
#include "round_trip_stats.h"

#include "support/operation_station.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>

namespace teb::bench {
namespace {

constexpr int kDefaultRounds = 100;
constexpr std::chrono::milliseconds kDefaultSettle{50};
std::chrono::milliseconds settle = kDefaultSettle;
constexpr Duration kTarget{1.0};

std::vector<std::string> simulatorOptions() { return {"--delay", "0", "--tor", "1"}; }

// Each transaction's time by its place in the round, over all rounds. The sum
// of their medians is a round without the scheduling delays that a loaded
// machine scatters over the rounds, so it shows the link's own cost per
// transaction even when the rounds' medians are noisy.
class TransactionTimes {
public:
    explicit TransactionTimes(std::size_t count) : m_series(count) {}

    void startRound()
    {
        m_next = 0;
        m_last = std::chrono::steady_clock::now();
    }
    void transactionDone()
    {
        const auto now = std::chrono::steady_clock::now();
        if (m_next < m_series.size())
            m_series[m_next++].push_back(now - m_last);
        m_last = now;
    }
    Duration sumOfMedians() const
    {
        Duration sum{};
        for (const std::vector<Duration> &series : m_series)
            sum += figuresOf(series).median;
        return sum;
    }

private:
    std::vector<std::vector<Duration>> m_series;
    std::size_t m_next = 0;
    std::chrono::steady_clock::time_point m_last;
};

// What the two operations send for 17 selected pages.
std::vector<std::string> transactions()
{
    std::vector<std::string> commands{"TOR\r"};
    for (int page = 1; page <= kPageCount; ++page)
        commands.push_back(writePageCommand(page, "3031323334353637").text);
    commands.push_back("TOR\r");
    for (int page = 1; page <= kPageCount; ++page)
        commands.push_back(lockPageCommand(page).text);
    return commands;
}

// One round through the station: a fresh transponder each time, since the
// locks of the last round would refuse the writes; the floor's rounds get a
// fresh one too, so both start alike.
std::optional<Duration> stationRound()
{
    test::OperationStation station(simulatorOptions());
    if (!station.portOpen)
        return std::nullopt;
    station.pageSelected.fill(true);
    station.pageText.fill("30 31 32 33 34 35 36 37");
    PageFlagArray lockable{};
    lockable.fill(true);
    std::this_thread::sleep_for(settle);
    const auto start = std::chrono::steady_clock::now();
    station.writePages(false);
    const int writeErrors = station.errorCount;
    station.lockPages(lockable);
    const Duration taken = std::chrono::steady_clock::now() - start;
    if (writeErrors != 0 || station.errorCount != 0)
        return std::nullopt;
    return taken;
}

// The same transactions through the reader link alone (ReaderPort and
// runTransaction), without the operations around them.
std::optional<Duration> linkRound(TransactionTimes &times)
{
    test::OperationStation station(simulatorOptions());
    if (!station.portOpen)
        return std::nullopt;
    ReaderSession session{station.port, station.handle, station.timeBase};
    std::this_thread::sleep_for(settle);
    bool ok = true;
    const auto start = std::chrono::steady_clock::now();
    times.startRound();
    const auto exchange = [&](const ReaderCommand &command) {
        ok = runTransaction(session, command).succeeded && ok;
        times.transactionDone();
    };
    fixTimeBase(session, TimeBaseFactor::Other);
    times.transactionDone();
    for (int page = 1; page <= kPageCount; ++page)
        exchange(writePageCommand(page, "3031323334353637"));
    fixTimeBase(session, TimeBaseFactor::Other);
    times.transactionDone();
    for (int page = 1; page <= kPageCount; ++page)
        exchange(lockPageCommand(page));
    const Duration taken = std::chrono::steady_clock::now() - start;
    return ok ? std::optional(taken) : std::nullopt;
}

// The same bytes written command by command, each answer read up to its CR.
std::optional<Duration> bareRound(int fd, const std::vector<std::string> &commands, TransactionTimes &times)
{
    const auto start = std::chrono::steady_clock::now();
    times.startRound();
    for (const std::string &command : commands) {
        if (::write(fd, command.data(), command.size()) != static_cast<ssize_t>(command.size()))
            return std::nullopt;
        char chunk[64];
        for (;;) {
            const ssize_t count = ::read(fd, chunk, sizeof chunk);
            if (count <= 0)
                return std::nullopt;
            if (chunk[count - 1] == '\r')
                break;
        }
        times.transactionDone();
    }
    return Duration(std::chrono::steady_clock::now() - start);
}

// One bare round on a fresh simulated reader, as the station's rounds have.
std::optional<Duration> freshBareRound(const std::vector<std::string> &commands, TransactionTimes &times)
{
    test::ReaderSimulator simulator(simulatorOptions());
    const int fd = simulator.ready() ? ::open(simulator.devicePath().c_str(), O_RDWR | O_NOCTTY) : -1;
    if (fd < 0)
        return std::nullopt;
    termios raw{};
    ::tcgetattr(fd, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(fd, TCSANOW, &raw);
    std::this_thread::sleep_for(settle);
    const auto taken = bareRound(fd, commands, times);
    ::close(fd);
    return taken;
}

int run(int rounds)
{
    const auto commands = transactions();
    std::vector<Duration> station, link, floor;
    TransactionTimes linkTimes(commands.size()), floorTimes(commands.size());
    const std::function<std::optional<Duration>()> kinds[] = {stationRound, [&] { return linkRound(linkTimes); },
                                                              [&] { return freshBareRound(commands, floorTimes); }};
    std::vector<Duration> *series[] = {&station, &link, &floor};
    for (int round = 0; round < rounds; ++round) {
        // The three kinds take turns at going first, so that none gains from its place.
        for (int turn = 0; turn < 3; ++turn) {
            const int kind = (round + turn) % 3;
            const auto taken = kinds[kind]();
            if (!taken) {
                std::fprintf(stderr, "a round failed\n");
                return EXIT_FAILURE;
            }
            series[kind]->push_back(*taken);
        }
    }

    const Figures stationFigures = figuresOf(station);
    const Figures linkFigures = figuresOf(link);
    const Figures floorFigures = figuresOf(floor);
    std::printf("%d rounds of %zu transactions, the simulated reader answering without delay, %lld ms settling after "
                "each open\n",
                rounds, commands.size(), static_cast<long long>(settle.count()));
    std::printf("%s\n", describeLoad().c_str());
    std::printf("%s\n", describe("writePages + lockPages", stationFigures).c_str());
    std::printf("%s\n", describe("reader link alone", linkFigures).c_str());
    std::printf("%s\n", describe("bare on the pty", floorFigures).c_str());
    const Duration operations = stationFigures.median - linkFigures.median;
    const Duration over = stationFigures.median - floorFigures.median;
    std::printf("the operations' own work: %+.3f ms for the whole run (target: within %.1f ms) %s\n",
                operations.count(), kTarget.count(), operations <= kTarget ? "ok" : "OVER");
    std::printf("station over the bare floor: %+.3f ms (of which the reader link: %+.3f ms)\n", over.count(),
                (linkFigures.median - floorFigures.median).count());
    const Duration linkSum = linkTimes.sumOfMedians();
    const Duration floorSum = floorTimes.sumOfMedians();
    std::printf("each transaction's median, summed: reader link %.3f ms, bare %.3f ms, link over bare %+.3f ms\n",
                linkSum.count(), floorSum.count(), (linkSum - floorSum).count());
    return EXIT_SUCCESS;
}

} // namespace
} // namespace teb::bench

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : teb::bench::kDefaultRounds;
    if (argc > 2)
        teb::bench::settle = std::chrono::milliseconds(std::max(0, std::atoi(argv[2])));
    return teb::bench::run(rounds > 0 ? rounds : teb::bench::kDefaultRounds);
}
