#include "automatic/cycle_data_step.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/cycle_messages.h"
#include "automatic/page_placement.h"
#include "common/decimal_text.h"

#include <algorithm>
#include <limits>

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
    case Source::Csv: return journal_source::csvFile;
    case Source::CsvComplete: return journal_source::csvFileComplete;
    case Source::DecimalCounter: return journal_source::decimalCounter;
    case Source::FixedData: return journal_source::fixData;
    }
    return journal_source::fixData;
}

namespace {

// The counter page follows every source but the complete data set; a value it
// cannot write makes the data bad. An interrupted cycle gets its own value again.
void placeCounterPage(Cycle &cycle, DataStep &step, const Offer &offer)
{
    ParameterSet placed = cycle.out.set;
    if (offer.finishing && !offer.finishing->counterPageValue.empty())
        placed.counterValue = offer.finishing->counterPageValue;
    switch (placeCounterValue(cycle.out.pages, placed)) {
    case CounterPlacement::Placed: step.counterPagePlaced = true; break;
    case CounterPlacement::Refused: step.outcome = Outcome::BadData; break;
    case CounterPlacement::NotEnabled: break;
    }
}

// The counter's bound: "max" and the largest ID of L digits; never the largest
// 64-bit value, whose successor would wrap to 0.
std::uint64_t counterBound(const Cycle &cycle)
{
    const std::uint64_t bound = std::min(counterLimit(cycle.out.set.carrierIdLength), readCounter(cycle.in.carrierIdMax));
    return std::min(bound, std::numeric_limits<std::uint64_t>::max() - 1u);
}

// The counter's value for this transponder: the first that no transponder
// holds, from where "next" stands; or the value of the cycle it finishes.
std::optional<std::uint64_t> counterValueOffered(const Cycle &cycle, const Offer &offer, const CellRun &run)
{
    const auto next = countedNumber(offer.finishing ? offer.finishing->carrierId : cycle.out.set.carrierId);
    if (!next || offer.finishing)
        return next;
    return offer.journal.firstFreeNumber(*next, static_cast<std::size_t>(run.length));
}

DataStep decimalCounterStep(Cycle &cycle, const Offer &offer)
{
    DataStep step;
    step.finishing = offer.finishing != nullptr;
    ParameterSet &set = cycle.out.set;
    const auto run = carrierIdRun(set);
    const auto value = run ? counterValueOffered(cycle, offer, *run) : std::nullopt;
    if (!value) {
        step.outcome = Outcome::BadData;
        return step;
    }
    if (!offer.finishing && *value != countedNumber(set.carrierId)) {
        set.carrierId = formatUnsigned64(*value); // "next" moves past what is held
        cycle.out.nextCarrierId = set.carrierId;
    }
    if (*value > counterBound(cycle) && !offer.finishing) {
        step.outcome = Outcome::QuantityReached;
        return step;
    }
    const std::string carrierId = zeroPadded(*value, static_cast<std::size_t>(run->length));
    if (!placeCarrierId(cycle.out.pages, set, carrierId)) {
        step.outcome = Outcome::BadData;
        return step;
    }
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
    for (std::size_t i = 0; taken->locks && i < pageCount; ++i)
        out.set.pages[i].locked = (*taken->locks)[i];
    out.csvState.rowInPages = taken->row;
    step.carrierIdRun = taken->carrierIdRun;
    step.position = std::to_string(taken->row.lineIndex);
    const auto bytes = taken->image.cells.take(taken->carrierIdRun.offset, taken->carrierIdRun.length);
    step.carrierId = bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

DataStep dataStep(Cycle &cycle, Source source, CycleStation &station, const Offer &offer)
{
    DataStep step;
    step.finishing = offer.finishing != nullptr;
    CycleOutcome &out = cycle.out;
    out.csvState.rowInPages.reset();
    switch (source) {
    case Source::Csv:
        takeCsvRow(cycle, step, nextDataSet(cycle.in.csvFile, out.set, out.pages, station, offer.filter()));
        if (step.outcome == Outcome::Go)
            placeCounterPage(cycle, step, offer);
        return step;
    case Source::CsvComplete:
        takeCsvRow(cycle, step, nextComplete(cycle.in.csvFile, out.pages, station, offer.filter()));
        return step;
    case Source::DecimalCounter:
        return decimalCounterStep(cycle, offer);
    case Source::FixedData: {
        const CycleJournal &journal = cycle.in.journal;
        const std::uint64_t count = offer.journal.fixedDataCount(journal.setName, journal.fixedJob);
        out.programmedCount = count;
        const bool open = count < readCounter(out.set.quantity);
        step.outcome = open || offer.finishing ? Outcome::Go : Outcome::QuantityReached;
        step.position = offer.finishing ? offer.finishing->position : formatUnsigned64(count + 1u);
        if (step.outcome == Outcome::Go)
            placeCounterPage(cycle, step, offer);
        return step;
    }
    }
    return step;
}

bool selected(const Cycle &cycle, int page) { return cycle.in.selected[static_cast<std::size_t>(page - 1)]; }

// A cycle must write what it counts: the carrier ID's pages, the counter page
// and at least one page.
std::optional<Notice> nothingWrittenNotice(const Cycle &cycle, const DataStep &step)
{
    if (std::none_of(cycle.in.selected.begin(), cycle.in.selected.end(), [](bool on) { return on; }))
        return notice::noPageSelected;
    if (step.carrierIdRun && step.carrierIdRun->length > 0) {
        const long long first = step.carrierIdRun->offset;
        const long long last = first + step.carrierIdRun->length - 1;
        for (int page = pageOfCell(first); page <= pageOfCell(last); ++page) {
            if (!selected(cycle, page))
                return notice::carrierIdPagesNotSelected;
        }
    }
    const auto counterPage = counterPageNumber(cycle.out.set.counterPage);
    if (step.counterPagePlaced && counterPage && !selected(cycle, *counterPage))
        return notice::counterPageNotSelected;
    return std::nullopt;
}

// The counter page must not lie over the carrier ID: the tag would get the
// counter value where its record says the carrier ID.
bool counterPageOverCarrierId(const Cycle &cycle, const DataStep &step)
{
    const auto counterPage = counterPageNumber(cycle.out.set.counterPage);
    if (!step.counterPagePlaced || !counterPage || !step.carrierIdRun || step.carrierIdRun->length <= 0)
        return false;
    const long long first = step.carrierIdRun->offset;
    const long long last = first + step.carrierIdRun->length - 1;
    return pageOfCell(first) <= *counterPage && *counterPage <= pageOfCell(last);
}

} // namespace

bool dataReady(Cycle &cycle, Source source, CycleStation &station, const Offer &offer, DataStep &step)
{
    step = dataStep(cycle, source, station, offer);
    std::optional<Notice> refusal;
    if (step.outcome != Outcome::Go)
        refusal = step.outcome == Outcome::QuantityReached ? notice::quantityReached : notice::wrongCarrierIdFormat;
    else if (counterPageOverCarrierId(cycle, step))
        refusal = notice::counterPageOverCarrierId;
    else
        refusal = nothingWrittenNotice(cycle, step);
    if (!refusal)
        return true;
    station.clearPageResultColours();
    station.notify(*refusal);
    return false;
}

} // namespace teb::cycle_steps
