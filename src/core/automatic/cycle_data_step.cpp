#include "automatic/cycle_data_step.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/cycle_messages.h"
#include "automatic/page_placement.h"
#include "common/decimal_text.h"

#include <algorithm>
#include <utility>

namespace teb::cycle_steps {

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

std::string_view sourceName(Source source)
{
    switch (source) {
    case Source::Csv: return journal_source::kCsvFile;
    case Source::CsvComplete: return journal_source::kCsvFileComplete;
    case Source::DecimalCounter: return journal_source::kDecimalCounter;
    case Source::FixedData: return journal_source::kFixData;
    }
    return journal_source::kFixData;
}

void moveNext(Cycle &cycle, std::uint64_t value)
{
    cycle.next = value;
    cycle.out.set.carrierId = formatUnsigned64(value);
    cycle.out.nextCarrierId = cycle.out.set.carrierId;
}

namespace {

// The journal holds the counter page values of the set's run as it holds
// carrier IDs: a value behind the run's last is never written again,
// whatever "Config" or a restart left in the set.
void holdToRun(Cycle &cycle, const Offer &offer)
{
    const CycleJournal &journal = cycle.in.journal;
    std::string &value = cycle.out.set.counterValue;
    value = counterPageValueInRun(value, journal.counterStart,
                                  offer.station.lastCounterPageValue(journal.setName, journal.counterStart));
}

// The counter page follows every source but the complete data set; a value it
// cannot write makes the data bad.
void placeCounterPage(Cycle &cycle, DataStep &step, const Offer &offer)
{
    if (cycle.in.numbers.counterPage)
        holdToRun(cycle, offer);
    switch (placeCounterValue(cycle.out.pages, cycle.in.numbers.counterPage, cycle.out.set.counterValue)) {
    case CounterPlacement::Placed: step.counterPagePlaced = true; break;
    case CounterPlacement::Refused: step.outcome = Outcome::BadData; break;
    case CounterPlacement::NotEnabled: break;
    }
}

// The counter's value for this transponder: the first that no transponder
// holds, from where "next" stands.
std::optional<std::uint64_t> counterValueOffered(const Cycle &cycle, const Offer &offer, const CellRun &run)
{
    if (!cycle.next)
        return std::nullopt;
    return offer.station.firstFreeNumber(*cycle.next, static_cast<std::size_t>(run.length));
}

// How many values the counter moves past because their pages 1 and 2 are
// held, before it says so: where its carrier ID lies outside those pages, or
// only partly in them, many values in a row write the same bytes there.
constexpr int kMostValuesPastHeldPages = 100;

DataStep decimalCounterStep(Cycle &cycle, const Offer &offer)
{
    DataStep step;
    const auto &run = cycle.in.numbers.carrierIdRun;
    auto value = !run ? std::nullopt : offer.asksJournal ? counterValueOffered(cycle, offer, *run) : cycle.next;
    if (!value) {
        step.outcome = Outcome::BadData;
        return step;
    }
    const auto length = static_cast<std::size_t>(run->length);
    std::string carrierId;
    PageImage placed;
    for (int passed = 0;; ++passed) {
        if (*value != cycle.next)
            moveNext(cycle, *value); // past what is held
        if (*value > cycle.in.numbers.bound || cycle.in.numbers.emptyWorkOrder) {
            step.outcome = Outcome::QuantityReached;
            return step;
        }
        carrierId = zeroPadded(*value, length);
        placed = cycle.out.pages;
        if (!placeCarrierId(placed, run, carrierId)) {
            step.outcome = Outcome::BadData;
            return step;
        }
        if (!offer.asksJournal || !offer.station.arePagesHeld(carrierPagesHex(placed, cycle.in.selected)))
            break;
        if (passed == kMostValuesPastHeldPages) {
            step.outcome = Outcome::PagesHeld;
            return step;
        }
        value = offer.station.firstFreeNumber(*value + 1u, length);
    }
    cycle.out.pages = placed;
    step.carrierIdRun = run;
    step.counterValue = *value;
    step.carrierId = carrierId;
    step.position = formatUnsigned64(*value);
    placeCounterPage(cycle, step, offer);
    return step;
}

// A CSV row taken into the pages: "next" shows its carrier ID.
void takeCsvRow(Cycle &cycle, DataStep &step, const std::optional<TakenRow> &taken)
{
    CycleOutcome &out = cycle.out;
    out.errorCount = taken ? 0 : 1;
    step.outcome = taken ? Outcome::Go : Outcome::BadData;
    if (!taken)
        return;
    out.pages = taken->image;
    out.set.carrierId = taken->carrierId;
    out.nextCarrierId = taken->carrierId;
    for (std::size_t i = 0; taken->locks && i < kPageCount; ++i)
        out.set.pages[i].locked = (*taken->locks)[i];
    out.csvState.rowInPages = taken->row;
    step.carrierIdRun = taken->carrierIdRun;
    step.position = std::to_string(taken->row.lineIndex);
    step.carrierId = taken->carrierIdBytes;
}

DataStep fixedDataStep(Cycle &cycle, const Offer &offer)
{
    DataStep step;
    const CycleJournal &journal = cycle.in.journal;
    const std::uint64_t count = offer.station.fixedDataCount(journal.setName, journal.fixedJob);
    cycle.out.programmedCount = count;
    const bool open = count < cycle.in.numbers.quantity;
    step.outcome = open ? Outcome::Go : Outcome::QuantityReached;
    step.position = formatUnsigned64(count + 1u);
    if (step.outcome == Outcome::Go)
        placeCounterPage(cycle, step, offer);
    return step;
}

DataStep csvStep(Cycle &cycle, CsvFormat format, const Offer &offer)
{
    DataStep step;
    CycleOutcome &out = cycle.out;
    takeCsvRow(cycle, step, offer.station.takeCsvRow(cycle.in.csvFile, format, out.set, out.pages,
                                                    offer.filter(cycle.in.selected)));
    if (step.outcome == Outcome::Go && format == CsvFormat::Simple)
        placeCounterPage(cycle, step, offer);
    return step;
}

DataStep sourceStep(Cycle &cycle, Source source, const Offer &offer)
{
    switch (source) {
    case Source::Csv: return csvStep(cycle, CsvFormat::Simple, offer);
    case Source::CsvComplete: return csvStep(cycle, CsvFormat::Complete, offer);
    case Source::DecimalCounter: return decimalCounterStep(cycle, offer);
    case Source::FixedData: return fixedDataStep(cycle, offer);
    }
    return DataStep{};
}

DataStep dataStep(Cycle &cycle, Source source, const Offer &offer)
{
    cycle.out.csvState.rowInPages.reset();
    return sourceStep(cycle, source, offer);
}

// The first and the last page of a run of at least one cell.
std::pair<int, int> pagesOfRun(const CellRun &run)
{
    return {pageOfCell(run.offset), pageOfCell(run.offset + run.length - 1)};
}

bool selected(const Cycle &cycle, int page) { return cycle.in.selected[static_cast<std::size_t>(page - 1)]; }

// A cycle must write what it counts: the carrier ID's pages, the counter page
// and at least one page.
std::optional<Notice> nothingWrittenNotice(const Cycle &cycle, const DataStep &step)
{
    if (std::none_of(cycle.in.selected.begin(), cycle.in.selected.end(), [](bool on) { return on; }))
        return notice::kNoPageSelected;
    if (step.carrierIdRun && step.carrierIdRun->length > 0) {
        const auto [first, last] = pagesOfRun(*step.carrierIdRun);
        for (int page = first; page <= last; ++page) {
            if (!selected(cycle, page))
                return notice::kCarrierIdPagesNotSelected;
        }
    }
    const auto &counterPage = cycle.in.numbers.counterPage;
    if (step.counterPagePlaced && counterPage && !selected(cycle, *counterPage))
        return notice::kCounterPageNotSelected;
    return std::nullopt;
}

// The counter page must not lie over the carrier ID: the tag would get the
// counter value where its record says the carrier ID.
bool counterPageOverCarrierId(const Cycle &cycle, const DataStep &step)
{
    const auto &counterPage = cycle.in.numbers.counterPage;
    if (!step.counterPagePlaced || !counterPage || !step.carrierIdRun || step.carrierIdRun->length <= 0)
        return false;
    const auto [first, last] = pagesOfRun(*step.carrierIdRun);
    return first <= *counterPage && *counterPage <= last;
}

Notice refusalOf(Outcome outcome)
{
    switch (outcome) {
    case Outcome::QuantityReached: return notice::kQuantityReached;
    case Outcome::PagesHeld: return notice::kCarrierIdPagesHeld;
    default: return notice::kWrongCarrierIdFormat;
    }
}

} // namespace

std::optional<Notice> dataRefusal(Cycle &cycle, Source source, const Offer &offer, DataStep &step)
{
    step = dataStep(cycle, source, offer);
    if (step.outcome != Outcome::Go)
        return refusalOf(step.outcome);
    if (counterPageOverCarrierId(cycle, step))
        return notice::kCounterPageOverCarrierId;
    return nothingWrittenNotice(cycle, step);
}

bool dataReady(Cycle &cycle, Source source, const Offer &offer, DataStep &step)
{
    const std::optional<Notice> refusal = dataRefusal(cycle, source, offer, step);
    if (!refusal)
        return true;
    offer.station.clearPageResultColours();
    offer.station.notify(*refusal);
    return false;
}

} // namespace teb::cycle_steps
