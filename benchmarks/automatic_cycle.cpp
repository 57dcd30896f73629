// Times complete automatic cycles of the station against the simulated reader
// answering at once: the UID, 17 pages written and locked on an Orvex
// transponder, the record file on, a new transponder for each cycle. Once with
// the decimal counter, once with a simple CSV file of 10,000 rows. Prints the
// median cycle, the part of it outside the reader transactions (data source,
// journal, CSV mark, record append, protocol line, with their syncs), the
// journal's share of that part, and the sync and rename calls per cycle.
// Where a PostgreSQL server answers (PGHOST set, e.g. under pg_virtualenv),
// the same with the journal on the server, with the statements (each one
// round trip) that a cycle sends it.
// The files live in the temporary folder (TMPDIR): on a disk every sync
// counts, on a RAM disk (TMPDIR=/dev/shm) only the station's own work does.
// Usage: automatic_cycle [cycles]
#include "windows/main/cycle/cycle_station.h"
#include "windows/main/cqv58_dlg.h"
#include "round_trip_stats.h"

#include "support/automatic_job.h"
#include "support/fake_dialog_host.h"
#include "support/fake_cqv58_dlg_view.h"
#include "support/postgres_database.h"
#include "support/reader_simulator.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

// Every sync and rename of the process, SQLite's included, passes through
// these: the program's own definitions come before the C library's.
namespace {
std::atomic<long> syncCalls{0};
std::atomic<long> renameCalls{0};
} // namespace

extern "C" int fsync(int fd)
{
    ++syncCalls;
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int fdatasync(int fd)
{
    ++syncCalls;
    return static_cast<int>(::syscall(SYS_fdatasync, fd));
}

extern "C" int rename(const char *from, const char *to)
{
    ++renameCalls;
    return static_cast<int>(::syscall(SYS_renameat, AT_FDCWD, from, AT_FDCWD, to));
}

namespace teb::bench {
namespace {

constexpr int kDefaultCycles = 200;
constexpr int kCsvRows = 10'000;
constexpr Duration kStationTarget{3.0};

using Clock = std::chrono::steady_clock;

// The station as the cycle sees it, with the time spent in write and lock.
class TimedStation final : public CycleStation {
public:
    explicit TimedStation(CQV58Dlg &window) : m_inner(window.cycle(), m_track) {}

    template <typename Step>
    auto timed(Duration &share, Step step)
    {
        const auto start = Clock::now();
        auto result = step();
        share += Clock::now() - start;
        return result;
    }
    template <typename Step>
    void timedVoid(Duration &share, Step step)
    {
        timed(share, [&] {
            step();
            return 0;
        });
    }

    void notify(const Notice &notice) override
    {
        ++failures;
        std::fprintf(stderr, "cycle message: %.*s\n", static_cast<int>(notice.text.size()), notice.text.data());
    }
    TransponderHistory historyOf(const std::string &uid) override
    {
        return timed(journal, [&] { return m_inner.historyOf(uid); });
    }
    JournalEntry reserve(const JournalEntry &entry) override
    {
        return timed(journal, [&] { return m_inner.reserve(entry); });
    }
    FirstFreeReservation reserveFirstFree(const std::string &uid, const std::vector<JournalEntry> &offered) override
    {
        return timed(journal, [&] { return m_inner.reserveFirstFree(uid, offered); });
    }
    void finish(std::int64_t id, CycleState state) override
    {
        timedVoid(journal, [&] { m_inner.finish(id, state); });
    }
    bool isHeld(const std::string &carrierId, const std::string &pagesHex) override
    {
        return timed(journal, [&] { return m_inner.isHeld(carrierId, pagesHex); });
    }
    bool arePagesHeld(const std::string &pagesHex) override
    {
        return timed(journal, [&] { return m_inner.arePagesHeld(pagesHex); });
    }
    std::uint64_t firstFreeNumber(std::uint64_t from, std::size_t length) override
    {
        return timed(journal, [&] { return m_inner.firstFreeNumber(from, length); });
    }
    std::uint64_t fixedDataCount(const std::string &setName, std::int64_t job) override
    {
        return timed(journal, [&] { return m_inner.fixedDataCount(setName, job); });
    }
    std::optional<std::string> lastCounterPageValue(const std::string &setName,
                                                    const std::string &counterStart) override
    {
        return timed(journal, [&] { return m_inner.lastCounterPageValue(setName, counterStart); });
    }
    std::optional<TakenRow> takeCsvRow(const CsvFile &file, CsvFormat format, const ParameterSet &set,
                                       const PageImage &pages, const CarrierIdFilter &offered) override
    {
        return timed(csv, [&] { return m_inner.takeCsvRow(file, format, set, pages, offered); });
    }
    bool markCsvRow(const JournalEntry &entry) override
    {
        return timed(csv, [&] { return m_inner.markCsvRow(entry); });
    }
    void markProgrammedRows() override
    {
        timedVoid(csv, [&] { m_inner.markProgrammedRows(); });
    }
    void noteRecorded(std::int64_t entryId) override
    {
        timedVoid(journal, [&] { m_inner.noteRecorded(entryId); });
    }
    std::optional<std::string> readUid() override
    {
        return timed(reader, [&] { return m_inner.readUid(); });
    }
    PagesWritten writePages(const CycleOutcome &soFar, const PageImage &image, const PageFlagArray &pages,
                            const std::string &uid) override
    {
        return timed(reader, [&] { return m_inner.writePages(soFar, image, pages, uid); });
    }
    TagReading readTransponder(const PageFlagArray &pages) override
    {
        readBackTransactions += 2 + static_cast<int>(std::count(pages.begin(), pages.end(), true)); // "TOR", "RUID", "RD n"
        const auto start = Clock::now();
        TagReading reading = timed(reader, [&] { return m_inner.readTransponder(pages); });
        readBack += Clock::now() - start;
        return reading;
    }
    int lockPages(const PageFlagArray &locked) override
    {
        return timed(reader, [&] { return m_inner.lockPages(locked); });
    }
    bool appendRecord(const CycleOutcome &programmed) override
    {
        return timed(record, [&] { return m_inner.appendRecord(programmed); });
    }
    void show(const CycleOutcome &soFar) override { m_inner.show(soFar); }
    void enableAfterRecordFailure() override { m_inner.enableAfterRecordFailure(); }
    void clearPageResultColours() override { m_inner.clearPageResultColours(); }

    Duration reader{};
    Duration readBack{}; // of the reader's time, the read-back of UID and pages
    int readBackTransactions = 0;
    Duration record{};
    Duration journal{}; // every question and commit, also the questions of a CSV row's filter
    Duration csv{};     // the rows taken and marked; the filter's questions count in both
    int failures = 0;

private:
    CycleTrack m_track; // before the station that notes into it
    CyclePart::Station m_inner;
};

struct Series {
    std::vector<Duration> cycles;
    std::vector<Duration> outside;  // everything but write and lock
    std::vector<Duration> record;   // the record append with its sync
    std::vector<Duration> protocol; // the protocol line with its sync
    std::vector<Duration> source;   // data source, placing, journal, CSV mark
    std::vector<Duration> journal;  // of it the journal's questions and commits
    std::vector<Duration> csv;      // of it the CSV rows taken and marked
    std::vector<Duration> readBack; // the read-back of UID and pages
    int readBackTransactions = 0;
    int failures = 0;
    double syncsPerCycle = 0;
    double renamesPerCycle = 0;
    double statementsPerCycle = -1; // on the server; -1: the local journal
};

// One cycle as the 10 ms tick runs it: the cycle, then the protocol line.
// The statements the server has run in the database: each of the station's
// is one transaction of its own (one round trip).
long serverTransactions(const test::PostgresDatabase &server)
{
    const std::string command = "psql -X -tA -d postgres -c \"SELECT xact_commit FROM pg_stat_database WHERE datname = '" +
                                server.name() + "'\"";
    FILE *pipe = ::popen(command.c_str(), "r");
    long count = 0;
    if (pipe != nullptr) {
        if (std::fscanf(pipe, "%ld", &count) != 1)
            count = 0;
        ::pclose(pipe);
    }
    return count;
}

// How the station runs: where its journal lives, how fast the reader answers,
// what a cycle reads back.
struct Setup {
    const test::PostgresDatabase *server = nullptr;
    int answerDelayMs = 0;
    bool readBackAllPages = true;
};

Series run(const std::string &label, const ParameterSet &set, const std::string &csv, int cycles, Setup setup = {})
{
    const test::PostgresDatabase *server = setup.server;
    test::TempDir dir;
    test::ReaderSimulator simulator(dir.path(), {"--family", "orvex", "--delay", std::to_string(setup.answerDelayMs)},
                                    "COM7");
    test::writeAutomaticStation(dir.path(), set, "1000000");
    if (!setup.readBackAllPages) { // a key of the [Auto] section, which comes before [Data]
        std::string settings = test::readFileBytes(dir / "TagEncoderBench.ini");
        settings.insert(settings.find("[Data]"), "Read Back All Pages=0\r\n");
        test::writeFileBytes(dir / "TagEncoderBench.ini", settings);
    }
    if (server)
        test::writeFileBytes(dir / "TagEncoderBench.ini", test::readFileBytes(dir / "TagEncoderBench.ini") +
                                                              "[Journal]\r\nServer=" + server->connection() + "\r\n");
    if (!csv.empty())
        test::writeFileBytes(dir / set.csvFileName, csv);
    test::FakeCQV58DlgView view;
    test::FakeDialogHost dialogs;
    auto owned = std::make_unique<CQV58Dlg>(view, dialogs, [&] { return dir.path(); });
    CQV58Dlg &window = *owned;
    view.attach(window);
    window.initialise();
    ProtocolFile protocol;
    Series series;
    if (!simulator.ready() || !window.parts().link.state().portOpen) {
        std::fprintf(stderr, "%s: the simulated reader is not reachable\n", label.c_str());
        return series;
    }
    const long transactionsBefore = server ? serverTransactions(*server) : 0;
    const long syncsBefore = syncCalls;
    const long renamesBefore = renameCalls;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        simulator.newTransponder();
        TimedStation station(window);
        const auto start = Clock::now();
        window.cycle().runThrough(station);
        const auto cycleEnd = Clock::now();
        ProtocolFileError error;
        protocol.append(dir.path(), "One", error, ProtocolFile::Sync::Unsynced); // as the 10 ms tick appends it
        const auto end = Clock::now();
        const Duration taken = end - start;
        series.cycles.push_back(taken);
        series.outside.push_back(taken - station.reader);
        series.record.push_back(station.record);
        series.protocol.push_back(end - cycleEnd);
        series.source.push_back(Duration(cycleEnd - start) - station.reader - station.record);
        series.journal.push_back(station.journal);
        series.csv.push_back(station.csv);
        series.readBack.push_back(station.readBack);
        series.readBackTransactions += station.readBackTransactions;
        series.failures += station.failures;
    }
    series.syncsPerCycle = static_cast<double>(syncCalls - syncsBefore) / cycles;
    series.renamesPerCycle = static_cast<double>(renameCalls - renamesBefore) / cycles;
    window.destroy();
    if (server) {
        // The server counts a connection's statements once it is gone.
        owned.reset();
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        series.statementsPerCycle = static_cast<double>(serverTransactions(*server) - transactionsBefore) / cycles;
    }
    return series;
}

// The journal's two durable commits of a cycle, reservation and confirmation, alone.
Duration journalCommitsPerCycle(int cycles, const test::PostgresDatabase *server = nullptr)
{
    test::TempDir dir;
    auto journal = server ? CarrierIdJournal::openServer(server->connection(), "bench")
                          : CarrierIdJournal::openFile(journalFilePath(dir.path()), "bench");
    std::vector<Duration> pairs;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        JournalEntry entry;
        entry.carrierId = std::to_string(1000000 + cycle);
        entry.setName = "job";
        entry.source = std::string(journal_source::kDecimalCounter);
        entry.uid = "U" + std::to_string(cycle);
        const auto start = Clock::now();
        const JournalEntry reserved = journal->reserve(entry);
        journal->finish(reserved.id, CycleState::Programmed);
        pairs.push_back(Clock::now() - start);
    }
    return figuresOf(pairs).median;
}

void report(const std::string &label, const Series &series, Duration journal)
{
    std::printf("%s\n", describe(label + " cycle", figuresOf(series.cycles)).c_str());
    const Figures outside = figuresOf(series.outside);
    std::printf("%s\n", describe(label + " outside reader transactions", outside).c_str());
    std::printf("%s\n", describe("  of it data source, mark, progress", figuresOf(series.source)).c_str());
    std::printf("%s\n", describe("    journal within the cycle", figuresOf(series.journal)).c_str());
    std::printf("%s\n", describe("    CSV rows taken and marked", figuresOf(series.csv)).c_str());
    std::printf("%s\n", describe("  of it record append", figuresOf(series.record)).c_str());
    std::printf("%s\n", describe("  of it protocol line", figuresOf(series.protocol)).c_str());
    std::printf("  journal (reservation and confirmation, timed alone): %.3f ms median, %.0f%% of the station's own work\n",
                journal.count(), 100.0 * journal.count() / std::max(outside.median.count(), 1e-9));
    std::printf("  sync calls (fsync, fdatasync) per cycle: %.2f; renames per cycle: %.2f\n", series.syncsPerCycle,
                series.renamesPerCycle);
    if (series.statementsPerCycle >= 0)
        std::printf("  statements to the server per cycle: %.2f (reservation and confirmation one each)\n",
                    series.statementsPerCycle);
    std::printf("%s: %zu cycles, %d failed; station's own work %s the %.1f ms target\n", label.c_str(),
                series.cycles.size(), series.failures, outside.median <= kStationTarget ? "within" : "ABOVE",
                kStationTarget.count());
}

std::string simpleCsv()
{
    std::string csv = "Carrier ID,done\r\n";
    for (int row = 0; row < kCsvRows; ++row) {
        const std::string number = std::to_string(row);
        csv += std::string(16 - number.size(), '0') + number + ",\r\n";
    }
    return csv;
}

} // namespace
} // namespace teb::bench

namespace teb::bench {
namespace {

// What reading back before PASS costs a cycle of 17 pages, in transactions
// and in time, at the given answer delay, for both read-back settings.
void reportReadBack(int cycles, int answerDelayMs)
{
    for (const bool all : {true, false}) {
        const Series series = run("read-back", test::automaticJob(), "", cycles, {nullptr, answerDelayMs, all});
        if (series.cycles.empty())
            return;
        const Figures cycle = figuresOf(series.cycles);
        const Figures readBack = figuresOf(series.readBack);
        std::printf("read-back at --delay %d, %s: %.1f transactions per cycle, %.1f ms median (%.0f%% of a %.1f ms cycle)\n",
                    answerDelayMs, all ? "every written page" : "carrier ID and counter pages only",
                    static_cast<double>(series.readBackTransactions) / static_cast<double>(series.cycles.size()),
                    readBack.median.count(), 100.0 * readBack.median.count() / std::max(cycle.median.count(), 1e-9),
                    cycle.median.count());
    }
}

} // namespace
} // namespace teb::bench

int main(int argc, char **argv)
{
    using namespace teb;
    const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : bench::kDefaultCycles;

    const bench::Duration journal = bench::journalCommitsPerCycle(cycles);
    const ParameterSet counter = test::automaticJob();
    bench::report("decimal counter", bench::run("decimal counter", counter, "", cycles), journal);

    ParameterSet csv = test::automaticJob();
    csv.useDecimalCounter = false;
    csv.useCsvFile = true;
    csv.csvFileName = "ids.csv";
    bench::report("10,000-row CSV", bench::run("10,000-row CSV", csv, bench::simpleCsv(), cycles), journal);
    bench::reportReadBack(cycles, 0);
    bench::reportReadBack(std::min(cycles, 3), 100);

    const test::PostgresDatabase server;
    if (!server.available()) {
        std::printf("no PostgreSQL server (PGHOST unset): the shared journal is not measured\n");
        return 0;
    }
    const bench::Duration onServer = bench::journalCommitsPerCycle(cycles, &server);
    bench::report("decimal counter, journal on the server",
                  bench::run("decimal counter, server", counter, "", cycles, {&server}), onServer);
    const test::PostgresDatabase csvServer;
    bench::report("10,000-row CSV, journal on the server",
                  bench::run("10,000-row CSV, server", csv, bench::simpleCsv(), cycles, {&csvServer}), onServer);
    return 0;
}
