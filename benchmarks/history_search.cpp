// The journal window on a journal of a million entries: how long its answer
// takes (the count and the page of 200 it shows) for the whole journal, for
// a carrier ID typed a character at a time, for UIDs, for a page far back;
// and how long an export of everything takes on its own thread. The journal
// holds `entries` entries (nine in ten a decimal counter's IDs in a row, the
// rest CSV rows), made by the sqlite3 shell in one transaction; its first
// open by the station makes the search indexes, timed too.
// The file lives in the temporary folder (TMPDIR). With "server" the journal
// is a database of its own on the PostgreSQL server the environment names
// (run under pg_virtualenv), filled by psql and vacuumed as autovacuum would.
// Usage: history_search [entries] [repeats] [server]
#include "windows/journal_history/cjournal_dlg.h"
#include "journal/carrier_id_journal.h"
#include "params/parameter_set.h"
#include "journal_fill.h"
#include "round_trip_stats.h"

#include "support/postgres_database.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace teb::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultEntries = 1'000'000;
constexpr int kDefaultRepeats = 9;
constexpr double kTargetMs = 100.0;

class TimedView : public CJournalDlgView {
public:
    std::string searchText() const override { return search; }
    void showRows(const std::vector<HistoryRow> &shown) override { rows = shown.size(); }
    void showPaging(bool, bool older) override { hasOlder = older; }
    int selectedRow() const override { return -1; }
    void showStatus(const std::string &text) override { status = text; }
    void showTask(const std::optional<TaskDisplay> &shown) override { running = shown.has_value(); }
    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &) override { return file; }
    void showMessage(const MessageRequest &request) override { message = request.text; }

    std::string search;
    std::size_t rows = 0;
    bool hasOlder = false;
    bool running = false;
    std::string status;
    std::string message;
    std::filesystem::path file;
};

void fillServerJournal(const test::PostgresDatabase &server, int entries)
{
    const int counted = entries - entries / 10;
    const std::string columns(kCycleColumns);
    const std::string pages = "left(repeat('3031323334353637,', 17), 288)";
    const std::string hex = "upper(encode(convert_to(id, 'UTF8'), 'hex'))";
    const std::string sql =
        "DROP INDEX cycles_by_shown_id, cycles_by_hex_key, cycles_by_uid_bytes, cycles_programmed_in_order;"
        " DROP VIEW programmed_carriers;"
        " INSERT INTO cycles " + columns + " SELECT " + hex + ", " + hex + ", id, i, 8, 'job', 'Decimal counter', id,"
        " '', '', '', 0, '', '', 0, 'E004' || upper(lpad(to_hex(i), 8, '0')), 'programmed', '2026-01-01 08:00:00',"
        " '2026-01-01 08:00:05', 'bench', " + pages + ", '11111111111111111'"
        " FROM (SELECT i, lpad(i::text, 8, '0') AS id FROM generate_series(1, " + std::to_string(counted) + ") i) n;"
        " INSERT INTO cycles " + columns + " SELECT " + hex + ", " + hex + ", id, NULL, 7, 'ids', 'csv file',"
        " (i + 1)::text, 'ids.csv', '', ',', 1, '', '', 0, 'E005' || upper(lpad(to_hex(i), 8, '0')), 'programmed',"
        " '2026-01-01 08:00:00', '2026-01-01 08:00:05', 'bench', " + pages + ", '11111111111111111'"
        " FROM (SELECT i, 'C' || lpad(i::text, 6, '0') AS id FROM generate_series(1, " +
        std::to_string(entries - counted) + ") i) n;";
    // What autovacuum does to a table after many inserts.
    if (!server.run(sql) || !server.run("VACUUM ANALYZE cycles")) {
        std::fprintf(stderr, "history_search: psql could not fill the server's journal\n");
        std::exit(1);
    }
}

Duration timed(const std::function<void()> &work)
{
    const auto begin = Clock::now();
    work();
    return Clock::now() - begin;
}

Figures repeated(int repeats, const std::function<void()> &work)
{
    std::vector<Duration> samples;
    for (int i = 0; i < repeats; ++i)
        samples.push_back(timed(work));
    return figuresOf(samples);
}

struct Worst {
    double ms = 0;
    std::string what;
    void note(const std::string &label, const Figures &figures)
    {
        std::printf("  %-44s median %7.2f ms, p99 %7.2f ms\n", label.c_str(), figures.median.count(),
                    figures.p99.count());
        if (figures.p99.count() > ms) {
            ms = figures.p99.count();
            what = label;
        }
    }
};

void timeSearches(CJournalDlg &window, TimedView &view, int repeats, Worst &worst)
{
    const auto search = [&](const std::string &text) {
        view.search = text;
        return repeated(repeats, [&] { window.searchChanged(); });
    };
    worst.note("whole journal (count + newest 200)", search(""));
    const std::string typed = "00123456";
    for (std::size_t length = 1; length <= typed.size(); ++length) {
        const std::string text = typed.substr(0, length);
        const Figures figures = search(text);
        worst.note("\"" + text + "\" (" + std::to_string(view.rows) + " rows shown)", figures);
    }
    for (const std::string text : {"E004", "E00400012", "E005000000FF", "C0999", "%", "ZZZ"}) {
        const Figures figures = search(text);
        worst.note("\"" + text + "\" (" + std::to_string(view.rows) + " rows shown)", figures);
    }
}

void timeDeepPages(CJournalDlg &window, TimedView &view, Worst &worst)
{
    for (const std::string text : {"", "0"}) {
        view.search = text;
        window.searchChanged();
        std::vector<Duration> samples;
        for (int page = 0; page < 50 && view.hasOlder; ++page)
            samples.push_back(timed([&] { window.olderClicked(); }));
        worst.note("\"" + text + "\": \"Older\", pages 2..51", figuresOf(samples));
    }
}

void timeExport(CJournalDlg &window, TimedView &view, const std::filesystem::path &file, int entries)
{
    view.search.clear();
    window.searchChanged();
    view.file = file;
    const auto begin = Clock::now();
    window.exportClicked();
    std::vector<Duration> ticks;
    while (view.running) {
        std::this_thread::sleep_for(std::chrono::milliseconds(CJournalDlg::kTaskTickMs));
        ticks.push_back(timed([&] { window.taskTick(); }));
    }
    const Duration total = Clock::now() - begin;
    std::printf("export of %d entries on its own thread: %.1f s (%s); the window's tick at most %.2f ms\n", entries,
                total.count() / 1000, view.message.c_str(),
                ticks.empty() ? 0.0 : std::max_element(ticks.begin(), ticks.end())->count());
}

// The journal of `entries` entries as the station meets it after an update:
// its first open makes the search indexes.
std::unique_ptr<CarrierIdJournal> filledJournal(const test::TempDir &directory,
                                                const std::unique_ptr<test::PostgresDatabase> &server, int entries)
{
    const auto file = journalFilePath(directory.path());
    const auto open = [&] {
        return server ? CarrierIdJournal::openServer(server->connection(), "bench")
                      : CarrierIdJournal::openFile(file, "bench");
    };
    open();
    if (server)
        fillServerJournal(*server, entries);
    else // a journal of the version before the search: without its indexes and view
        fillSqliteJournal(file, entries,
                          "DROP INDEX cycles_by_shown_id; DROP INDEX cycles_by_hex_key; DROP VIEW programmed_carriers;");
    std::printf("history_search: a journal of %d entries %s\n%s\n", entries,
                server ? "on the PostgreSQL server" : ("in " + directory.path().string()).c_str(),
                describeLoad().c_str());
    std::unique_ptr<CarrierIdJournal> journal;
    const Duration indexing = timed([&] { journal = open(); });
    std::printf("first open, making the search indexes: %.1f s\n", indexing.count() / 1000);
    return journal;
}

int run(int entries, int repeats, bool onServer)
{
    test::TempDir directory;
    auto server = onServer ? std::make_unique<test::PostgresDatabase>() : nullptr;
    if (server && !server->available()) {
        std::fprintf(stderr, "history_search: no PostgreSQL server (run it under pg_virtualenv)\n");
        return 1;
    }
    const std::unique_ptr<CarrierIdJournal> journal = filledJournal(directory, server, entries);

    TimedView view;
    CJournalDlg window(*journal, directory.path(), "job", [](const std::string &) { return ParameterSet{}; });
    const Duration opened = timed([&] { window.open(view); });
    std::printf("window opened (count + first page): %.2f ms\n", opened.count());
    Worst worst;
    timeSearches(window, view, repeats, worst);
    timeDeepPages(window, view, worst);
    std::printf("slowest answer: %.2f ms (%s), target %.0f ms: %s\n", worst.ms, worst.what.c_str(), kTargetMs,
                worst.ms <= kTargetMs ? "met" : "MISSED");
    timeExport(window, view, directory / "journal.csv", entries);
    window.closing();
    return 0;
}

} // namespace
} // namespace teb::bench

int main(int argc, char **argv)
{
    const int entries = argc > 1 ? std::atoi(argv[1]) : teb::bench::kDefaultEntries;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : teb::bench::kDefaultRepeats;
    const bool onServer = argc > 3 && std::string(argv[3]) == "server";
    if (entries < 10 || repeats < 1 || (argc > 3 && !onServer)) {
        std::fprintf(stderr, "usage: history_search [entries >= 10] [repeats] [server]\n");
        return 2;
    }
    return teb::bench::run(entries, repeats, onServer);
}
