// The journal's work as it grows: the station's start-up (the window built on
// a fake view, the port missing) and the journal's part of one CSV cycle
// (marks still to make, the UID's history, the row's holder, reservation,
// confirmation, the lazy mark), each on an empty journal and on one of
// `entries` entries (nine in ten a decimal counter set's programmed IDs in a
// row from its start, the rest marked CSV rows). quick_check, which reads
// the whole file, runs at the first start of a day: timed alone and in the
// first start.
// The files live in the temporary folder (TMPDIR): on a disk every sync
// counts, on a RAM disk (TMPDIR=/dev/shm) only the station's own work does.
// Usage: journal_scale [entries] [starts] [cycles]
#include "windows/main/cqv58_dlg.h"
#include "journal_fill.h"
#include "round_trip_stats.h"

#include "support/automatic_job.h"
#include "support/fake_dialog_host.h"
#include "support/fake_cqv58_dlg_view.h"
#include "support/temp_dir.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace teb::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultEntries = 100'000;
constexpr int kDefaultStarts = 9;
constexpr int kDefaultCycles = 50;

// A station folder with the decimal counter set "job" from 1, eight digits.
void prepareStation(const std::filesystem::path &directory, int entries)
{
    ParameterSet set = test::automaticJob();
    set.carrierId = "1";
    set.carrierIdLength = "8";
    test::writeAutomaticStation(directory, set, "99999999");
    CarrierIdJournal::openFile(journalFilePath(directory), "bench");
    if (entries > 0) // quick_check is still to run today
        fillSqliteJournal(journalFilePath(directory), entries, {}, "PRAGMA user_version = 0;");
}

Duration timeStart(const std::filesystem::path &directory)
{
    test::FakeCQV58DlgView view;
    test::FakeDialogHost dialogs;
    const auto begin = Clock::now();
    CQV58Dlg window(view, dialogs, [&] { return directory; });
    view.attach(window);
    window.initialise();
    return Clock::now() - begin;
}

struct StartFigures {
    Duration firstOfDay{};
    Figures later;
};

StartFigures timeStarts(const std::filesystem::path &directory, int starts)
{
    StartFigures figures;
    figures.firstOfDay = timeStart(directory);
    std::vector<Duration> samples;
    for (int i = 0; i < starts; ++i)
        samples.push_back(timeStart(directory));
    figures.later = figuresOf(samples);
    return figures;
}

Duration timeQuickCheck(const std::filesystem::path &file)
{
    const auto begin = Clock::now();
    const std::string command = "sqlite3 '" + file.string() + "' 'PRAGMA quick_check' > /dev/null";
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "journal_scale: quick_check failed\n");
    return Clock::now() - begin;
}

// The journal's calls of one CSV cycle, as the station makes them.
Figures timeCsvCycles(const std::filesystem::path &directory, int cycles)
{
    auto journal = CarrierIdJournal::openFile(journalFilePath(directory), "bench");
    std::vector<Duration> samples;
    for (int i = 0; i < cycles; ++i) {
        char carrierId[16];
        std::snprintf(carrierId, sizeof carrierId, "N%05d", i);
        char uid[16];
        std::snprintf(uid, sizeof uid, "E006%08X", i);
        const auto begin = Clock::now();
        for (const JournalEntry &row : journal->unmarkedCsvRows())
            journal->markCsvRow(row.id);
        journal->historyOf(uid);
        journal->holderOf(carrierId);
        JournalEntry entry;
        entry.carrierId = carrierId;
        entry.setName = "ids";
        entry.source = std::string(journal_source::kCsvFile);
        entry.position = std::to_string(i + 2);
        entry.csvFile = "ids.csv";
        entry.csvRow = std::string(carrierId) + ",";
        entry.csvDelimiter = ",";
        entry.uid = uid;
        const JournalEntry reserved = journal->reserve(entry);
        journal->finish(reserved.id, CycleState::Programmed);
        journal->markCsvRow(reserved.id);
        samples.push_back(Clock::now() - begin);
    }
    return figuresOf(samples);
}

int run(int entries, int starts, int cycles)
{
    test::TempDir empty;
    test::TempDir full;
    prepareStation(empty.path(), 0);
    prepareStation(full.path(), entries);
    std::printf("journal_scale: an empty journal and one of %d entries, files in %s\n%s\n", entries,
                empty.path().parent_path().c_str(), describeLoad().c_str());
    const Duration check = timeQuickCheck(journalFilePath(full.path()));
    const StartFigures emptyStarts = timeStarts(empty.path(), starts);
    const StartFigures fullStarts = timeStarts(full.path(), starts);
    std::printf("start-up, median of %d: empty %.1f ms, %d entries %.1f ms (%+.1f ms)\n", starts,
                emptyStarts.later.median.count(), entries, fullStarts.later.median.count(),
                (fullStarts.later.median - emptyStarts.later.median).count());
    std::printf("first start of the day (with quick_check): empty %.1f ms, %d entries %.1f ms;"
                " quick_check alone %.1f ms\n",
                emptyStarts.firstOfDay.count(), entries, fullStarts.firstOfDay.count(), check.count());
    const Figures emptyCycle = timeCsvCycles(empty.path(), cycles);
    const Figures fullCycle = timeCsvCycles(full.path(), cycles);
    std::printf("a CSV cycle's journal work, median of %d: empty %.2f ms, %d entries %.2f ms (%.2fx)\n", cycles,
                emptyCycle.median.count(), entries, fullCycle.median.count(),
                fullCycle.median.count() / emptyCycle.median.count());
    return 0;
}

} // namespace
} // namespace teb::bench

int main(int argc, char **argv)
{
    const int entries = argc > 1 ? std::atoi(argv[1]) : teb::bench::kDefaultEntries;
    const int starts = argc > 2 ? std::atoi(argv[2]) : teb::bench::kDefaultStarts;
    const int cycles = argc > 3 ? std::atoi(argv[3]) : teb::bench::kDefaultCycles;
    if (entries < 10 || starts < 1 || cycles < 1) {
        std::fprintf(stderr, "usage: journal_scale [entries >= 10] [starts] [cycles]\n");
        return 2;
    }
    return teb::bench::run(entries, starts, cycles);
}
