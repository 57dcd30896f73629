#include "automatic/automatic_cycle.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/cycle_messages.h"
#include "automatic/page_placement.h"
#include "common/decimal_text.h"
#include "transponder/byte_text.h"

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
    std::string carrierId;               // the bytes placed as carrier ID; empty for fixed data
    std::string position;                // where in its source the data lies
    bool finishing = false;              // the data of an interrupted cycle, placed again
};

// Which carrier IDs the data step may offer: one that no transponder holds,
// or the one of the unfinished cycle that this transponder finishes.
struct Offer {
    CarrierIdJournal &journal;
    const JournalEntry *finishing = nullptr;

    bool allows(const std::string &carrierId) const
    {
        return finishing ? carrierId == finishing->carrierId : !journal.holderOf(carrierId);
    }
    CarrierIdFilter filter() const
    {
        return [this](const std::string &carrierId) { return allows(carrierId); };
    }
};

// The cycle under way: what it started from and what it has decided.
struct Cycle {
    const CycleInput &in;
    CycleOutcome out;
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

// The data is taken and checked; false (after its message) when the cycle ends here.
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

JournalEntry reservationOf(const Cycle &cycle, Source source, const DataStep &step, const std::string &uid)
{
    const CycleInput &in = cycle.in;
    const CycleOutcome &out = cycle.out;
    JournalEntry entry;
    entry.carrierId = step.carrierId;
    entry.setName = in.journal.setName;
    entry.source = std::string(sourceName(source));
    entry.position = step.position;
    if (out.csvState.rowInPages && (source == Source::Csv || source == Source::CsvComplete)) {
        entry.csvFile = in.csvFile.path.string();
        entry.csvRow = out.csvState.rowInPages->text;
        entry.csvDelimiter = in.csvFile.delimiter;
    }
    if (step.counterPagePlaced)
        entry.counterPageValue = out.set.counterValue;
    entry.counterStart = in.journal.counterStart;
    entry.job = source == Source::FixedData ? in.journal.fixedJob : 0;
    entry.uid = uid;
    // What goes onto the tag, so that its record can be written again from the journal.
    for (int page = 1; page <= pageCount; ++page) {
        const auto i = static_cast<std::size_t>(page - 1);
        const bool written = in.selected[i] && out.pages.holdsBytes(page);
        entry.pagesHex += (i == 0 ? "" : ",") + (written ? hexDigitsOf(out.pages.cells.page(page)) : std::string());
        entry.pagesLocked += out.set.pages[i].locked ? '1' : '0';
    }
    return entry;
}

// How the transponder's part of the cycle ended.
enum class TagResult { Programmed, NothingReached, Uncertain };

TagResult programTransponder(Cycle &cycle, CycleStation &station, const std::string &uid)
{
    CycleOutcome &out = cycle.out;
    const PagesWritten written = station.writePages(out.pages, uid);
    out.errorCount = written.errorCount;
    if (written.errorCount != 0) {
        station.notify(notice::writeFailed);
        return written.reachedTag ? TagResult::Uncertain : TagResult::NothingReached;
    }
    PageFlagArray locked{};
    for (std::size_t i = 0; i < pageCount; ++i)
        locked[i] = out.set.pages[i].locked;
    out.errorCount = station.lockPages(locked);
    if (*out.errorCount != 0) {
        station.notify(notice::lockFailed);
        return TagResult::Uncertain;
    }
    return TagResult::Programmed;
}

bool markRow(CarrierIdJournal &journal, const JournalEntry &entry)
{
    const CsvFormat format = entry.source == journal_source::csvFileComplete ? CsvFormat::Complete : CsvFormat::Simple;
    const CsvRow row{static_cast<std::size_t>(readUnsigned64(entry.position)), entry.csvRow};
    if (markRowProcessed(entry.csvFile, format, row, entry.csvDelimiter) != MarkResult::Marked)
        return false;
    journal.markCsvRow(entry.id);
    return true;
}

// The source moves on past the carrier ID just programmed; false when a CSV
// row kept no "X".
bool advanceSource(Cycle &cycle, Source source, const DataStep &step, const JournalEntry &entry,
                   CarrierIdJournal &journal)
{
    ParameterSet &set = cycle.out.set;
    switch (source) {
    case Source::Csv:
    case Source::CsvComplete: cycle.out.csvState.rowInPages.reset(); return markRow(journal, entry);
    case Source::DecimalCounter:
        if (step.counterValue >= countedNumber(set.carrierId).value_or(0)) {
            // The next cycle's data step moves on past what other stations hold meanwhile.
            set.carrierId = formatUnsigned64(step.counterValue + 1u);
            cycle.out.nextCarrierId = set.carrierId;
        }
        return true;
    case Source::FixedData:
        cycle.out.programmedCount = journal.fixedDataCount(cycle.in.journal.setName, cycle.in.journal.fixedJob);
        return true;
    }
    return true;
}

void advanceCounterPage(Cycle &cycle, const DataStep &step)
{
    ParameterSet &set = cycle.out.set;
    if (step.counterPagePlaced && !step.finishing)
        set.counterValue = nextCounterPageValue(readCounter(set.counterValue));
}

void recordTransponder(Cycle &cycle, CycleStation &station)
{
    CycleOutcome &out = cycle.out;
    station.show(out);
    if (out.set.logEnabled && !station.appendRecord()) {
        station.enableAfterRecordFailure();
        out.recordFailed = true;
        station.show(out);
    }
    const auto &pages = out.set.pages;
    const auto editable = std::find_if(pages.begin(), pages.end(), [](const PageSetting &page) { return page.editable; });
    if (editable != pages.end())
        out.focusPage = static_cast<int>(editable - pages.begin());
}

// The transponder on the antenna: its UID, and the cycle it may finish.
// Empty (after its message) when nothing may be written to it.
struct Transponder {
    std::string uid;
    std::optional<JournalEntry> unfinished;
};

std::optional<Transponder> transponderOnAntenna(const Cycle &cycle, Source source, CycleStation &station,
                                                CarrierIdJournal &journal)
{
    const auto uid = station.readUid();
    if (!uid) {
        station.clearPageResultColours();
        station.notify(notice::uidNotRead);
        return std::nullopt;
    }
    const TransponderHistory history = journal.historyOf(*uid);
    if (const auto &programmed = history.programmed) {
        station.clearPageResultColours();
        notifyText(station, alreadyProgrammedText(*programmed), NoticeLevel::Warning);
        return std::nullopt;
    }
    Transponder transponder{*uid, history.unfinished};
    if (transponder.unfinished &&
        (transponder.unfinished->setName != cycle.in.journal.setName || transponder.unfinished->source != sourceName(source))) {
        notifyText(station, unfinishedElsewhereText(*transponder.unfinished), NoticeLevel::Warning);
        return std::nullopt;
    }
    return transponder;
}

// The end of a cycle that reached the transponder or may have: the journal
// says so, the source moves on, the record is written.
void concludeProgrammed(Cycle &cycle, Source source, CycleStation &station, const DataStep &step,
                        const JournalEntry &entry, CarrierIdJournal &journal)
{
    try {
        journal.finish(entry.id, CycleState::Programmed);
    } catch (const JournalError &error) {
        // The ID stays held as reserved, and counts as uncertain after a restart.
        notifyText(station, confirmationFailedText(error.what()), NoticeLevel::Stop);
    }
    const bool marked = advanceSource(cycle, source, step, entry, journal);
    advanceCounterPage(cycle, step);
    recordTransponder(cycle, station);
    if (!marked)
        station.notify(notice::csvMarkFailed);
}

// Another station may take the chosen carrier ID between the choice and the
// reservation: the database refuses the second holder, and the next free one
// is taken. Nothing has been written yet.
std::optional<JournalEntry> reserveNext(Cycle &cycle, Source source, CycleStation &station,
                                        CarrierIdJournal &journal, const std::string &uid, DataStep &step)
{
    constexpr int kAttempts = 20;
    for (int attempt = 1;; ++attempt) {
        try {
            return journal.reserve(reservationOf(cycle, source, step, uid));
        } catch (const CarrierIdTaken &) {
            if (attempt == kAttempts) {
                notifyText(station, takenMeanwhileText(step.carrierId), NoticeLevel::Warning);
                return std::nullopt;
            }
        }
        if (!dataReady(cycle, source, station, Offer{journal}, step))
            return std::nullopt;
    }
}

void programOne(Cycle &cycle, CycleStation &station)
{
    if (!cycle.in.journal.journal) {
        notifyText(station, journalUnavailableText(cycle.in.journal.problem), NoticeLevel::Stop);
        return;
    }
    CarrierIdJournal &journal = *cycle.in.journal.journal;
    const Source source = sourceOf(cycle.out.set);
    if (source == Source::Csv || source == Source::CsvComplete)
        markProgrammedRows(journal);
    DataStep step;
    if (!dataReady(cycle, source, station, Offer{journal}, step))
        return;
    const auto transponder = transponderOnAntenna(cycle, source, station, journal);
    if (!transponder)
        return;

    JournalEntry entry;
    if (transponder->unfinished) {
        // The transponder of an interrupted cycle is back: it gets the same data.
        if (!dataReady(cycle, source, station, Offer{journal, &*transponder->unfinished}, step))
            return;
        entry = *transponder->unfinished;
    } else if (auto reserved = reserveNext(cycle, source, station, journal, transponder->uid, step)) {
        entry = std::move(*reserved);
    } else {
        return;
    }
    station.show(cycle.out); // the page boxes show what is written
    const TagResult result = programTransponder(cycle, station, transponder->uid);
    if (result == TagResult::Programmed && cycle.out.errorCount == 0)
        return concludeProgrammed(cycle, source, station, step, entry, journal);
    // A finishing cycle that fails again may still have left its first try on the tag.
    const bool nothingOnTag = result == TagResult::NothingReached && !transponder->unfinished;
    journal.finish(entry.id, nothingOnTag ? CycleState::Failed : CycleState::Uncertain);
    if (!nothingOnTag && source == Source::DecimalCounter && !transponder->unfinished) {
        // The ID stays with that tag: "next" shows where the next one goes.
        cycle.out.set.carrierId = formatUnsigned64(step.counterValue + 1u);
        cycle.out.nextCarrierId = cycle.out.set.carrierId;
    }
}

} // namespace

bool markProgrammedRows(CarrierIdJournal &journal)
{
    bool allMarked = true;
    for (const JournalEntry &entry : journal.unmarkedCsvRows())
        allMarked = markRow(journal, entry) && allMarked;
    return allMarked;
}

CycleOutcome runAutomaticCycle(const CycleInput &input, CycleStation &station)
{
    Cycle cycle{input, {}}; // what it decides starts from what it was given
    cycle.out.set = input.set;
    cycle.out.pages = input.pages;
    cycle.out.csvState = input.csvState;
    try {
        programOne(cycle, station);
    } catch (const JournalError &error) {
        notifyText(station, journalFailedText(error.what()), NoticeLevel::Stop);
    }
    station.show(cycle.out);
    return cycle.out;
}

} // namespace teb
