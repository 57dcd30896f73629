// Times complete automatic cycles of the station against the simulated reader
// answering at once: 17 pages written and locked on an Orvex transponder, the
// record file on, a new transponder for each cycle. Once with the decimal
// counter, once with a simple CSV file of 10,000 rows. Prints the median cycle
// and the part of it outside the reader transactions (data source, CSV mark,
// progress file, record append, protocol line, with their syncs).
// The files live in the temporary folder (TMPDIR): on a disk every sync
// counts, on a RAM disk (TMPDIR=/dev/shm) only the station's own work does.
// Usage: automatic_cycle [cycles]
#include "app/automatic_station.h"
#include "app/cqv58_dlg.h"
#include "round_trip_stats.h"

#include "support/automatic_job.h"
#include "support/fake_dialog_host.h"
#include "support/fake_main_window_view.h"
#include "support/reader_simulator.h"
#include "support/temp_dir.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace teb::bench {
namespace {

constexpr int kDefaultCycles = 200;
constexpr int kCsvRows = 10'000;
constexpr Duration kStationTarget{3.0};

using Clock = std::chrono::steady_clock;

// The station as the cycle sees it, with the time spent in write and lock.
class TimedStation final : public CycleStation {
public:
    explicit TimedStation(CQV58Dlg &window) : m_inner(window) {}

    void notify(const Notice &notice) override
    {
        ++failures;
        std::fprintf(stderr, "cycle message: %.*s\n", static_cast<int>(notice.text.size()), notice.text.data());
    }
    int writePages() override { return timed([&] { return m_inner.writePages(); }); }
    int lockPages() override { return timed([&] { return m_inner.lockPages(); }); }
    bool appendRecord() override
    {
        const auto start = Clock::now();
        const bool appended = m_inner.appendRecord();
        record += Clock::now() - start;
        return appended;
    }
    void takeFromControls() override { m_inner.takeFromControls(); }
    void showInControls() override { m_inner.showInControls(); }
    void enableAfterRecordFailure() override { m_inner.enableAfterRecordFailure(); }

    Duration reader{};
    Duration record{};
    int failures = 0;

private:
    template <typename Step>
    int timed(Step step)
    {
        const auto start = Clock::now();
        const int errors = step();
        reader += Clock::now() - start;
        return errors;
    }

    AutomaticStation m_inner;
};

struct Series {
    std::vector<Duration> cycles;
    std::vector<Duration> outside;  // everything but write and lock
    std::vector<Duration> record;   // the record append with its sync
    std::vector<Duration> protocol; // the protocol line with its sync
    std::vector<Duration> source;   // data source, placing, CSV mark, progress file
    int failures = 0;
};

// One cycle as the 10 ms tick runs it: the cycle, then the protocol line.
Series run(const std::string &label, const ParameterSet &set, const std::string &csv, int cycles)
{
    test::TempDir dir;
    test::ReaderSimulator simulator(dir.path(), {"--family", "orvex"}, "COM7");
    test::writeAutomaticStation(dir.path(), set, "1000000");
    if (!csv.empty())
        test::writeFileBytes(dir / set.csvFileName, csv);
    test::FakeMainWindowView view;
    test::FakeDialogHost dialogs;
    CQV58Dlg window(view, dialogs, [&] { return dir.path(); });
    view.attach(window);
    window.initialise();
    ProtocolFile protocol;
    Series series;
    if (!simulator.ready() || !window.portOpen) {
        std::fprintf(stderr, "%s: the simulated reader is not reachable\n", label.c_str());
        return series;
    }
    for (int cycle = 0; cycle < cycles; ++cycle) {
        simulator.newTransponder();
        TimedStation station(window);
        window.errorCount = 0;
        CycleFields fields{DataSourceFields{window.currentSet, window.pageText, window.asciiFormat,
                                            window.nextCarrierId, window.csvDelimiter, window.workingDirectory},
                           window.pageSelected, window.carrierIdMax, window.programmedCount, window.errorCount,
                           window.recordFailed, window.pageFocusRequest, window.csvSource,
                           ProgressKeeping{progressFilePath(dir.path(), "job"), window.setStart}};
        const auto start = Clock::now();
        runAutomaticCycle(fields, station);
        const auto cycleEnd = Clock::now();
        ProtocolFileError error;
        protocol.append(dir.path(), "One", error);
        const auto end = Clock::now();
        const Duration taken = end - start;
        series.cycles.push_back(taken);
        series.outside.push_back(taken - station.reader);
        series.record.push_back(station.record);
        series.protocol.push_back(end - cycleEnd);
        series.source.push_back(Duration(cycleEnd - start) - station.reader - station.record);
        series.failures += station.failures;
    }
    window.destroy();
    return series;
}

void report(const std::string &label, const Series &series)
{
    std::printf("%s\n", describe(label + " cycle", figuresOf(series.cycles)).c_str());
    const Figures outside = figuresOf(series.outside);
    std::printf("%s\n", describe(label + " outside reader transactions", outside).c_str());
    std::printf("%s\n", describe("  of it data source, mark, progress", figuresOf(series.source)).c_str());
    std::printf("%s\n", describe("  of it record append", figuresOf(series.record)).c_str());
    std::printf("%s\n", describe("  of it protocol line", figuresOf(series.protocol)).c_str());
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

int main(int argc, char **argv)
{
    using namespace teb;
    const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : bench::kDefaultCycles;

    const ParameterSet counter = test::automaticJob();
    bench::report("decimal counter", bench::run("decimal counter", counter, "", cycles));

    ParameterSet csv = test::automaticJob();
    csv.useDecimalCounter = false;
    csv.useCsvFile = true;
    csv.csvFileName = "ids.csv";
    bench::report("10,000-row CSV", bench::run("10,000-row CSV", csv, bench::simpleCsv(), cycles));
    return 0;
}
