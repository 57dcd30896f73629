#include "automatic/automatic_cycle.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/page_placement.h"
#include "common/decimal_text.h"

#include <algorithm>
#include <limits>

namespace teb {
namespace {

enum class Source { Csv, CsvComplete, DecimalCounter, FixedData };
enum class Outcome { Go, BadData, QuantityReached };

// What the data step decided and what it placed.
struct DataStep {
    Outcome outcome = Outcome::Go;
    std::optional<CellRun> carrierIdRun; // the cells the carrier ID was placed into
    bool counterPagePlaced = false;
    std::uint64_t counterValue = 0;      // the decimal counter's value written
};

Source sourceOf(const ParameterSet &set)
{
    if (set.useCsvFile)
        return Source::Csv;
    if (set.csvFileComplete)
        return Source::CsvComplete;
    if (set.useDecimalCounter)
        return Source::DecimalCounter;
    return Source::FixedData;
}

// The counter page follows every source but the complete data set; a value it
// cannot write makes the data bad.
void placeCounterPage(CycleFields &fields, DataStep &step)
{
    PageModel pages = fields.source.pages();
    switch (placeCounterValue(pages, fields.source.set)) {
    case CounterPlacement::Placed: step.counterPagePlaced = true; break;
    case CounterPlacement::Refused: step.outcome = Outcome::BadData; break;
    case CounterPlacement::NotEnabled: break;
    }
}

// The counter's bound: "max" and the largest ID of L digits; never the largest
// 64-bit value, whose successor would wrap to 0.
std::uint64_t counterBound(const CycleFields &fields)
{
    const std::uint64_t bound = std::min(counterLimit(fields.source.set.carrierIdLength), readCounter(fields.carrierIdMax));
    return std::min(bound, std::numeric_limits<std::uint64_t>::max() - 1u);
}

DataStep decimalCounterStep(CycleFields &fields)
{
    DataStep step;
    const ParameterSet &set = fields.source.set;
    const auto value = countedNumber(set.carrierId);
    const auto run = carrierIdRun(set);
    if (!value || !run) {
        step.outcome = Outcome::BadData;
        return step;
    }
    if (*value > counterBound(fields)) {
        step.outcome = Outcome::QuantityReached;
        return step;
    }
    PageModel pages = fields.source.pages();
    if (!placeCarrierId(pages, set, zeroPadded(*value, static_cast<std::size_t>(run->length)))) {
        step.outcome = Outcome::BadData;
        return step;
    }
    step.carrierIdRun = run;
    step.counterValue = *value;
    placeCounterPage(fields, step);
    return step;
}

DataStep dataStep(CycleFields &fields, Source source, CycleStation &station)
{
    DataStep step;
    switch (source) {
    case Source::Csv:
        fields.errorCount = nextDataSet(fields.source, fields.csvState, station);
        step.outcome = fields.errorCount == 0 ? Outcome::Go : Outcome::BadData;
        step.carrierIdRun = carrierIdRun(fields.source.set);
        if (step.outcome == Outcome::Go)
            placeCounterPage(fields, step);
        return step;
    case Source::CsvComplete:
        fields.errorCount = nextComplete(fields.source, fields.csvState, station);
        step.outcome = fields.errorCount == 0 ? Outcome::Go : Outcome::BadData;
        step.carrierIdRun = CellRun{readDecimal(fields.csvState.rowBuffer.offset), readDecimal(fields.csvState.rowBuffer.length)};
        return step;
    case Source::DecimalCounter:
        return decimalCounterStep(fields);
    case Source::FixedData:
        step.outcome = fields.programmedCount < readCounter(fields.source.set.quantity) ? Outcome::Go
                                                                                        : Outcome::QuantityReached;
        if (step.outcome == Outcome::Go)
            placeCounterPage(fields, step);
        return step;
    }
    return step;
}

bool selected(const CycleFields &fields, int page) { return fields.pageSelected[static_cast<std::size_t>(page - 1)]; }

// A cycle must write what it counts: the carrier ID's pages, the counter page
// and at least one page.
std::optional<Notice> nothingWrittenNotice(const CycleFields &fields, const DataStep &step)
{
    if (std::none_of(fields.pageSelected.begin(), fields.pageSelected.end(), [](bool on) { return on; }))
        return notice::noPageSelected;
    if (step.carrierIdRun && step.carrierIdRun->length > 0) {
        const long long first = step.carrierIdRun->offset;
        const long long last = first + step.carrierIdRun->length - 1;
        for (int page = pageOfCell(first); page <= pageOfCell(last); ++page) {
            if (!selected(fields, page))
                return notice::carrierIdPagesNotSelected;
        }
    }
    const auto counterPage = counterPageNumber(fields.source.set.counterPage);
    if (step.counterPagePlaced && counterPage && !selected(fields, *counterPage))
        return notice::counterPageNotSelected;
    return std::nullopt;
}

// Write and lock; true when both succeeded.
bool programTransponder(CycleFields &fields, CycleStation &station)
{
    if (fields.errorCount != 0) {
        station.notify(notice::uidNotRead);
        return false;
    }
    fields.errorCount = station.writePages();
    if (fields.errorCount != 0) {
        station.notify(notice::writeFailed);
        return false;
    }
    fields.errorCount = station.lockPages();
    if (fields.errorCount != 0) {
        station.notify(notice::lockFailed);
        return false;
    }
    return true;
}

// Advances the source; false when a CSV row kept no "X".
bool advanceSource(CycleFields &fields, Source source, const DataStep &step)
{
    ParameterSet &set = fields.source.set;
    switch (source) {
    case Source::Csv: return markRowInPages(fields.source, CsvFormat::Simple, fields.csvState) == MarkResult::Marked;
    case Source::CsvComplete:
        return markRowInPages(fields.source, CsvFormat::Complete, fields.csvState) == MarkResult::Marked;
    case Source::DecimalCounter:
        set.carrierId = formatUnsigned64(step.counterValue + 1u);
        fields.source.nextCarrierId = set.carrierId;
        return true;
    case Source::FixedData:
        ++fields.programmedCount;
        return true;
    }
    return true;
}

void advanceCounterPage(CycleFields &fields, const DataStep &step)
{
    if (step.counterPagePlaced)
        fields.source.set.counterValue = nextCounterPageValue(readCounter(fields.source.set.counterValue));
}

bool keepProgress(const CycleFields &fields, Source source, const DataStep &step)
{
    if (!fields.progress || (source != Source::DecimalCounter && !step.counterPagePlaced))
        return true;
    return writeProgress(fields.progress->file, progressOf(fields.progress->start, fields.source.set));
}

void recordTransponder(CycleFields &fields, CycleStation &station)
{
    station.showInControls();
    if (fields.source.set.logEnabled && !station.appendRecord()) {
        station.enableAfterRecordFailure();
        station.showInControls();
        fields.recordFailed = true;
    }
    for (std::size_t page = 0; page < fields.source.set.pages.size(); ++page) {
        if (fields.source.set.pages[page].editable) {
            fields.pageFocusRequest[page] = true;
            break;
        }
    }
}

// The cycle up to the end of a programmed transponder; returns early on
// every failure, with nothing advanced and nothing recorded.
void programOne(CycleFields &fields, CycleStation &station)
{
    // A programmed row that kept no "X" would be offered again: nothing is
    // programmed until its mark is made.
    if (retryPendingMark(fields.csvState) != MarkResult::Marked) {
        station.notify(notice::csvMarkFailed);
        return;
    }
    const Source source = sourceOf(fields.source.set);
    const DataStep step = dataStep(fields, source, station);
    if (step.outcome != Outcome::Go) {
        station.notify(step.outcome == Outcome::QuantityReached ? notice::quantityReached
                                                                : notice::wrongCarrierIdFormat);
        return;
    }
    if (const auto refusal = nothingWrittenNotice(fields, step)) {
        station.notify(*refusal);
        return;
    }
    station.showInControls(); // the page boxes show what is written
    const bool programmed = programTransponder(fields, station);
    station.takeFromControls();
    if (!programmed || fields.errorCount != 0)
        return;

    const bool marked = advanceSource(fields, source, step);
    advanceCounterPage(fields, step);
    const bool progressKept = keepProgress(fields, source, step);
    recordTransponder(fields, station);
    if (!marked)
        station.notify(notice::csvMarkFailed);
    if (!progressKept)
        station.notify(notice::progressNotSaved);
}

} // namespace

void runAutomaticCycle(CycleFields &fields, CycleStation &station)
{
    programOne(fields, station);
    station.showInControls();
}

} // namespace teb
