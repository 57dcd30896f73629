// A fab's stations on one shared journal: N station processes, each the main
// window's code with its own simulated reader answering at once, all on one
// PostgreSQL journal and one decimal counter (the same set, the same start),
// `cycles` transponders each, started together. Optionally the journal first
// holds `prefill` programmed entries of other sets.
// Prints the cycles per second of all, the median and p99 of a reservation's
// time, the statements (each one round trip) per counter cycle, the
// collisions per cycle (a station reserving another value than the one it
// offered first), the slowest station's share, and from the readers' write
// logs whether any carrier ID went onto two transponders. Needs a server:
// run it under pg_virtualenv (scripts/journal-scale does).
// Usage: journal_fleet [stations] [cycles] [prefill]
#include "windows/main/cycle/cycle_station.h"
#include "windows/main/cqv58_dlg.h"
#include "round_trip_stats.h"

#include "support/automatic_job.h"
#include "support/fake_dialog_host.h"
#include "support/fake_cqv58_dlg_view.h"
#include "support/postgres_database.h"
#include "support/reader_simulator.h"
#include "support/temp_dir.h"
#include "support/trial_data.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace teb::bench {
namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// Counts the lines SOCI logs: one per statement sent, each a round trip.
class StatementCount : public std::streambuf {
public:
    int lines = 0;

protected:
    int overflow(int c) override
    {
        lines += c == '\n' ? 1 : 0;
        return c;
    }
};

struct Track {
    CycleTrack track;
};

// The reservation timed, whether it took the value first offered, and
// whether the cycle ended programmed.
class FleetStation final : private Track, public CyclePart::Station {
public:
    explicit FleetStation(CQV58Dlg &window) : CyclePart::Station(window.cycle(), track, false) {}

    FirstFreeReservation reserveFirstFree(const std::string &uid, const std::vector<JournalEntry> &offered) override
    {
        const auto start = Clock::now();
        FirstFreeReservation answer = CyclePart::Station::reserveFirstFree(uid, offered);
        reservation += Clock::now() - start;
        collided = !answer.reserved || answer.reserved->carrierId != offered.front().carrierId;
        return answer;
    }
    JournalEntry reserve(const JournalEntry &entry) override
    {
        const auto start = Clock::now();
        collided = true; // only after every value offered at once was held
        JournalEntry reserved = CyclePart::Station::reserve(entry);
        reservation += Clock::now() - start;
        return reserved;
    }

    void finish(std::int64_t id, CycleState state) override
    {
        CyclePart::Station::finish(id, state);
        programmed = state == CycleState::Programmed;
    }

    Duration reservation{0};
    bool collided = false;
    bool programmed = false;
};

struct StationResult {
    int programmed = 0;
    int collisions = 0;
    double seconds = 0;
    std::vector<double> reservationMs;
    std::vector<int> statements;
};

fs::path folderOf(const fs::path &root, int station) { return root / ("station-" + std::to_string(station)); }

void writeStation(const fs::path &folder, int station, const std::string &connection)
{
    fs::create_directories(folder);
    ParameterSet job = test::automaticJob();
    job.carrierIdLength = std::to_string(test::kIdLength);
    job.carrierId = "1";
    test::writeAutomaticStation(folder, job, "9999999999");
    test::writeFileBytes(folder / "TagEncoderBench.ini", test::readFileBytes(folder / "TagEncoderBench.ini") +
                                                             "[Journal]\r\nServer=" + connection + "\r\nStation=fleet-" +
                                                             std::to_string(station) + "\r\n");
}

// The child's own run; its figures go to result.txt in its folder.
int runStation(const fs::path &folder, int station, int cycles, int startSignal)
{
    char uid[16];
    std::snprintf(uid, sizeof uid, "%02X000000", 0x10 + station);
    test::ReaderSimulator simulator(folder, {"--family", "orvex", "--uid", uid, "--write-log",
                                             (folder / "writes.log").string()},
                                    "COM7");
    test::FakeCQV58DlgView view;
    test::FakeDialogHost dialogs;
    CQV58Dlg window(view, dialogs, [&] { return folder; });
    view.attach(window);
    window.initialise();
    if (!simulator.ready() || !window.parts().link.state().portOpen || !window.parts().job.state().journal)
        return 3;
    StatementCount counter;
    std::ostream log(&counter);
    window.parts().job.state().journal->logStatements(&log);
    char go = 0;
    if (::read(startSignal, &go, 1) != 1)
        return 4;
    StationResult result;
    const auto start = Clock::now();
    for (int cycle = 0; cycle < cycles; ++cycle) {
        FleetStation timed(window);
        const int before = counter.lines;
        window.cycle().runThrough(timed);
        result.statements.push_back(counter.lines - before);
        result.reservationMs.push_back(timed.reservation.count());
        result.collisions += timed.collided ? 1 : 0;
        result.programmed += timed.programmed ? 1 : 0;
        simulator.newTransponder();
    }
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    window.parts().job.state().journal->logStatements(nullptr);
    window.destroy();
    std::ofstream out(folder / "result.txt");
    out << result.programmed << ' ' << result.collisions << ' ' << result.seconds << '\n';
    for (std::size_t i = 0; i < result.statements.size(); ++i)
        out << result.reservationMs[i] << ' ' << result.statements[i] << '\n';
    return 0;
}

StationResult readResult(const fs::path &folder)
{
    StationResult result;
    std::ifstream in(folder / "result.txt");
    in >> result.programmed >> result.collisions >> result.seconds;
    double ms = 0;
    int statements = 0;
    while (in >> ms >> statements) {
        result.reservationMs.push_back(ms);
        result.statements.push_back(statements);
    }
    return result;
}

// Other sets' programmed entries, as many as asked, in one statement.
bool prefill(const test::PostgresDatabase &database, long entries)
{
    if (entries <= 0)
        return true;
    return database.run(
        "INSERT INTO cycles (carrier_key, pages_key, carrier_hex, carrier_id, numeric_id, id_length, set_name, source,"
        " position, csv_file, csv_row_hex, csv_delimiter, csv_marked, counter_page_value, counter_start, job, uid,"
        " state, reserved_at, finished_at, station, pages_hex, pages_locked)"
        " SELECT upper(encode(convert_to(lpad(i::text, 12, '0'), 'UTF8'), 'hex')), NULL,"
        " upper(encode(convert_to(lpad(i::text, 12, '0'), 'UTF8'), 'hex')), lpad(i::text, 12, '0'), i, 12, 'older',"
        " 'Decimal counter', i::text, '', '', '', 0, '', '', 0, 'F' || lpad(to_hex(i), 7, '0'), 'programmed',"
        " '2026-01-01 08:00:00', '2026-01-01 08:00:05', 'older', '', '' FROM generate_series(1, " +
        std::to_string(entries) + ") AS i; ANALYZE cycles");
}

template <typename T>
T percentile(std::vector<T> values, double fraction)
{
    if (values.empty())
        return T{};
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5)];
}

int duplicates(const fs::path &root, int stations)
{
    std::map<std::string, std::set<std::string>> tagsOfId;
    for (int station = 0; station < stations; ++station)
        for (const auto &[uid, id] : test::carrierIdsOnTransponders(folderOf(root, station) / "writes.log"))
            tagsOfId[id].insert(uid);
    return static_cast<int>(std::count_if(tagsOfId.begin(), tagsOfId.end(),
                                          [](const auto &idTags) { return idTags.second.size() > 1; }));
}

int run(int stations, int cycles, long prefillEntries)
{
    const test::PostgresDatabase database;
    if (!database.available()) {
        std::fprintf(stderr, "journal_fleet: no PostgreSQL server (PGHOST unset); run it under pg_virtualenv\n");
        return 2;
    }
    const test::TempDir dir;
    const fs::path root = dir.path();
    CarrierIdJournal::openServer(database.connection(), "set-up"); // the tables, before the fill
    if (!prefill(database, prefillEntries)) {
        std::fprintf(stderr, "journal_fleet: the journal could not be filled\n");
        return 2;
    }
    int startPipe[2];
    if (::pipe(startPipe) != 0)
        return 2;
    std::vector<pid_t> children;
    for (int station = 0; station < stations; ++station) {
        writeStation(folderOf(root, station), station, database.connection());
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(startPipe[1]);
            ::_exit(runStation(folderOf(root, station), station, cycles, startPipe[0]));
        }
        children.push_back(pid);
    }
    ::close(startPipe[0]);
    ::sleep(2 + stations / 8); // every station up and waiting
    const auto start = Clock::now();
    const std::string go(static_cast<std::size_t>(stations), 'g');
    if (::write(startPipe[1], go.data(), go.size()) != static_cast<ssize_t>(go.size()))
        return 2;
    ::close(startPipe[1]);
    int failedProcesses = 0;
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        failedProcesses += WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();

    std::vector<double> reservations;
    std::vector<int> statements;
    int programmed = 0;
    int collisions = 0;
    int starved = 0;
    double slowest = 0;
    for (int station = 0; station < stations; ++station) {
        const StationResult result = readResult(folderOf(root, station));
        reservations.insert(reservations.end(), result.reservationMs.begin(), result.reservationMs.end());
        statements.insert(statements.end(), result.statements.begin(), result.statements.end());
        programmed += result.programmed;
        collisions += result.collisions;
        starved += result.programmed < cycles ? 1 : 0;
        slowest = std::max(slowest, result.seconds);
    }
    const int dup = duplicates(root, stations);
    const int total = stations * cycles;
    std::printf("%d stations x %d cycles, journal with %ld other entries: %d programmed in %.1f s, %.1f cycles/s\n",
                stations, cycles, prefillEntries, programmed, wall, programmed / wall);
    std::printf("  reservation median %.2f ms, p99 %.2f ms; statements per counter cycle median %d, p99 %d\n",
                percentile(reservations, 0.5), percentile(reservations, 0.99), percentile(statements, 0.5),
                percentile(statements, 0.99));
    std::printf("  collisions per cycle %.3f; slowest station %.1f s (%.0f%% of the run); %s\n",
                static_cast<double>(collisions) / total, slowest, 100.0 * slowest / wall, describeLoad().c_str());
    std::printf("journal scale: %d stations, %d cycles, %d duplicates, %d starved, %d round trips per counter cycle\n",
                stations, programmed, dup, starved + failedProcesses, percentile(statements, 0.5));
    return dup == 0 && starved == 0 && failedProcesses == 0 ? 0 : 1;
}

} // namespace
} // namespace teb::bench

int main(int argc, char **argv)
{
    const int stations = argc > 1 ? std::atoi(argv[1]) : 8;
    const int cycles = argc > 2 ? std::atoi(argv[2]) : 300;
    const long prefill = argc > 3 ? std::atol(argv[3]) : 0;
    return teb::bench::run(std::max(1, stations), std::max(1, cycles), std::max(0L, prefill));
}
