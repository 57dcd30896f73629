#include "automatic/automatic_cycle.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/cycle_messages.h"
#include "automatic/page_placement.h"
#include "common/decimal_text.h"
#include "transponder/byte_text.h"
#include "transponder/page_bytes.h"

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
void placeCounterPage(CycleFields &fields, DataStep &step, const Offer &offer)
{
    PageModel pages = fields.source.pages();
    ParameterSet placed = fields.source.set;
    if (offer.finishing && !offer.finishing->counterPageValue.empty())
        placed.counterValue = offer.finishing->counterPageValue;
    switch (placeCounterValue(pages, placed)) {
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

// The counter's value for this transponder: the first that no transponder
// holds, from where "next" stands; or the value of the cycle it finishes.
std::optional<std::uint64_t> counterValueOffered(const CycleFields &fields, const Offer &offer, const CellRun &run)
{
    const auto next = countedNumber(offer.finishing ? offer.finishing->carrierId : fields.source.set.carrierId);
    if (!next || offer.finishing)
        return next;
    return offer.journal.firstFreeNumber(*next, static_cast<std::size_t>(run.length));
}

DataStep decimalCounterStep(CycleFields &fields, const Offer &offer)
{
    DataStep step;
    step.finishing = offer.finishing != nullptr;
    ParameterSet &set = fields.source.set;
    const auto run = carrierIdRun(set);
    const auto value = run ? counterValueOffered(fields, offer, *run) : std::nullopt;
    if (!value) {
        step.outcome = Outcome::BadData;
        return step;
    }
    if (!offer.finishing && *value != countedNumber(set.carrierId)) {
        set.carrierId = formatUnsigned64(*value); // "next" moves past what is held
        fields.source.nextCarrierId = set.carrierId;
    }
    if (*value > counterBound(fields) && !offer.finishing) {
        step.outcome = Outcome::QuantityReached;
        return step;
    }
    const std::string carrierId = zeroPadded(*value, static_cast<std::size_t>(run->length));
    PageModel pages = fields.source.pages();
    if (!placeCarrierId(pages, set, carrierId)) {
        step.outcome = Outcome::BadData;
        return step;
    }
    step.carrierIdRun = run;
    step.counterValue = *value;
    step.carrierId = carrierId;
    step.position = formatUnsigned64(*value);
    placeCounterPage(fields, step, offer);
    return step;
}

void takeCsvRow(CycleFields &fields, DataStep &step, int errorCount, CsvFormat format)
{
    fields.errorCount = errorCount;
    step.outcome = errorCount == 0 ? Outcome::Go : Outcome::BadData;
    if (step.outcome != Outcome::Go || !fields.csvState.rowInPages)
        return;
    const CsvRow &row = *fields.csvState.rowInPages;
    step.position = std::to_string(row.lineIndex);
    step.carrierId = format == CsvFormat::Simple ? fields.source.set.carrierId
                                                 : completeRowCarrierId(row.text, fields.source.csvDelimiter).value_or("");
}

DataStep dataStep(CycleFields &fields, Source source, CycleStation &station, const Offer &offer)
{
    DataStep step;
    step.finishing = offer.finishing != nullptr;
    fields.csvState.rowInPages.reset();
    switch (source) {
    case Source::Csv:
        takeCsvRow(fields, step, nextDataSet(fields.source, fields.csvState, station, offer.filter()), CsvFormat::Simple);
        step.carrierIdRun = carrierIdRun(fields.source.set);
        if (step.outcome == Outcome::Go)
            placeCounterPage(fields, step, offer);
        return step;
    case Source::CsvComplete:
        takeCsvRow(fields, step, nextComplete(fields.source, fields.csvState, station, offer.filter()),
                   CsvFormat::Complete);
        step.carrierIdRun = CellRun{readDecimal(fields.csvState.rowBuffer.offset), readDecimal(fields.csvState.rowBuffer.length)};
        return step;
    case Source::DecimalCounter:
        return decimalCounterStep(fields, offer);
    case Source::FixedData: {
        const CycleJournal &journal = fields.journal;
        fields.programmedCount = offer.journal.fixedDataCount(journal.setName, journal.fixedJob);
        const bool open = fields.programmedCount < readCounter(fields.source.set.quantity);
        step.outcome = open || offer.finishing ? Outcome::Go : Outcome::QuantityReached;
        step.position = offer.finishing ? offer.finishing->position : formatUnsigned64(fields.programmedCount + 1u);
        if (step.outcome == Outcome::Go)
            placeCounterPage(fields, step, offer);
        return step;
    }
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

// The counter page must not lie over the carrier ID: the tag would get the
// counter value where its record says the carrier ID.
bool counterPageOverCarrierId(const CycleFields &fields, const DataStep &step)
{
    const auto counterPage = counterPageNumber(fields.source.set.counterPage);
    if (!step.counterPagePlaced || !counterPage || !step.carrierIdRun || step.carrierIdRun->length <= 0)
        return false;
    const long long first = step.carrierIdRun->offset;
    const long long last = first + step.carrierIdRun->length - 1;
    return pageOfCell(first) <= *counterPage && *counterPage <= pageOfCell(last);
}

// The data is taken and checked; false (after its message) when the cycle ends here.
bool dataReady(CycleFields &fields, Source source, CycleStation &station, const Offer &offer, DataStep &step)
{
    step = dataStep(fields, source, station, offer);
    std::optional<Notice> refusal;
    if (step.outcome != Outcome::Go)
        refusal = step.outcome == Outcome::QuantityReached ? notice::quantityReached : notice::wrongCarrierIdFormat;
    else if (counterPageOverCarrierId(fields, step))
        refusal = notice::counterPageOverCarrierId;
    else
        refusal = nothingWrittenNotice(fields, step);
    if (!refusal)
        return true;
    station.clearPageResultColours();
    station.notify(*refusal);
    return false;
}

JournalEntry reservationOf(const CycleFields &fields, Source source, const DataStep &step, const std::string &uid)
{
    JournalEntry entry;
    entry.carrierId = step.carrierId;
    entry.setName = fields.journal.setName;
    entry.source = std::string(sourceName(source));
    entry.position = step.position;
    if (fields.csvState.rowInPages && (source == Source::Csv || source == Source::CsvComplete)) {
        entry.csvFile = fields.source.csvFile().string();
        entry.csvRow = fields.csvState.rowInPages->text;
        entry.csvDelimiter = std::string(fields.source.csvDelimiter);
    }
    if (step.counterPagePlaced)
        entry.counterPageValue = fields.source.set.counterValue;
    entry.counterStart = fields.journal.counterStart;
    entry.job = source == Source::FixedData ? fields.journal.fixedJob : 0;
    entry.uid = uid;
    // What goes onto the tag, so that its record can be written again from the journal.
    for (std::size_t i = 0; i < pageCount; ++i) {
        const std::string &text = fields.source.pageText[i];
        const auto bytes = fields.pageSelected[i] && !text.empty() ? pageBytes(text, fields.source.asciiFormat)
                                                                    : std::nullopt;
        entry.pagesHex += (i == 0 ? "" : ",") + (bytes ? hexDigitsOf(*bytes) : std::string());
        entry.pagesLocked += fields.source.set.pages[i].locked ? '1' : '0';
    }
    return entry;
}

// How the transponder's part of the cycle ended.
enum class TagResult { Programmed, NothingReached, Uncertain };

TagResult programTransponder(CycleFields &fields, CycleStation &station, const std::string &uid)
{
    const PagesWritten written = station.writePages(uid);
    fields.errorCount = written.errorCount;
    if (fields.errorCount != 0) {
        station.notify(notice::writeFailed);
        return written.reachedTag ? TagResult::Uncertain : TagResult::NothingReached;
    }
    fields.errorCount = station.lockPages();
    if (fields.errorCount != 0) {
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
bool advanceSource(CycleFields &fields, Source source, const DataStep &step, const JournalEntry &entry,
                   CarrierIdJournal &journal)
{
    ParameterSet &set = fields.source.set;
    switch (source) {
    case Source::Csv:
    case Source::CsvComplete: fields.csvState.rowInPages.reset(); return markRow(journal, entry);
    case Source::DecimalCounter:
        if (step.counterValue >= countedNumber(set.carrierId).value_or(0)) {
            // The next cycle's data step moves on past what other stations hold meanwhile.
            set.carrierId = formatUnsigned64(step.counterValue + 1u);
            fields.source.nextCarrierId = set.carrierId;
        }
        return true;
    case Source::FixedData:
        fields.programmedCount = journal.fixedDataCount(fields.journal.setName, fields.journal.fixedJob);
        return true;
    }
    return true;
}

void advanceCounterPage(CycleFields &fields, const DataStep &step)
{
    if (step.counterPagePlaced && !step.finishing)
        fields.source.set.counterValue = nextCounterPageValue(readCounter(fields.source.set.counterValue));
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

// The transponder on the antenna: its UID, and the cycle it may finish.
// Empty (after its message) when nothing may be written to it.
struct Transponder {
    std::string uid;
    std::optional<JournalEntry> unfinished;
};

std::optional<Transponder> transponderOnAntenna(CycleFields &fields, Source source, CycleStation &station,
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
        (transponder.unfinished->setName != fields.journal.setName || transponder.unfinished->source != sourceName(source))) {
        notifyText(station, unfinishedElsewhereText(*transponder.unfinished), NoticeLevel::Warning);
        return std::nullopt;
    }
    return transponder;
}

// The end of a cycle that reached the transponder or may have: the journal
// says so, the source moves on, the record is written.
void concludeProgrammed(CycleFields &fields, Source source, CycleStation &station, const DataStep &step,
                        const JournalEntry &entry, CarrierIdJournal &journal)
{
    try {
        journal.finish(entry.id, CycleState::Programmed);
    } catch (const JournalError &error) {
        // The ID stays held as reserved, and counts as uncertain after a restart.
        notifyText(station, confirmationFailedText(error.what()), NoticeLevel::Stop);
    }
    const bool marked = advanceSource(fields, source, step, entry, journal);
    advanceCounterPage(fields, step);
    recordTransponder(fields, station);
    if (!marked)
        station.notify(notice::csvMarkFailed);
}

// Another station may take the chosen carrier ID between the choice and the
// reservation: the database refuses the second holder, and the next free one
// is taken. Nothing has been written yet.
std::optional<JournalEntry> reserveNext(CycleFields &fields, Source source, CycleStation &station,
                                        CarrierIdJournal &journal, const std::string &uid, DataStep &step)
{
    constexpr int kAttempts = 20;
    for (int attempt = 1;; ++attempt) {
        try {
            return journal.reserve(reservationOf(fields, source, step, uid));
        } catch (const CarrierIdTaken &) {
            if (attempt == kAttempts) {
                notifyText(station, takenMeanwhileText(step.carrierId), NoticeLevel::Warning);
                return std::nullopt;
            }
        }
        if (!dataReady(fields, source, station, Offer{journal}, step))
            return std::nullopt;
    }
}

void programOne(CycleFields &fields, CycleStation &station)
{
    if (!fields.journal.journal) {
        notifyText(station, journalUnavailableText(fields.journal.problem), NoticeLevel::Stop);
        return;
    }
    CarrierIdJournal &journal = *fields.journal.journal;
    const Source source = sourceOf(fields.source.set);
    if (source == Source::Csv || source == Source::CsvComplete)
        markProgrammedRows(journal);
    DataStep step;
    if (!dataReady(fields, source, station, Offer{journal}, step))
        return;
    const auto transponder = transponderOnAntenna(fields, source, station, journal);
    if (!transponder)
        return;

    JournalEntry entry;
    if (transponder->unfinished) {
        // The transponder of an interrupted cycle is back: it gets the same data.
        if (!dataReady(fields, source, station, Offer{journal, &*transponder->unfinished}, step))
            return;
        entry = *transponder->unfinished;
    } else if (auto reserved = reserveNext(fields, source, station, journal, transponder->uid, step)) {
        entry = std::move(*reserved);
    } else {
        return;
    }
    station.showInControls(); // the page boxes show what is written
    const TagResult result = programTransponder(fields, station, transponder->uid);
    station.takeFromControls();
    if (result == TagResult::Programmed && fields.errorCount == 0)
        return concludeProgrammed(fields, source, station, step, entry, journal);
    // A finishing cycle that fails again may still have left its first try on the tag.
    const bool nothingOnTag = result == TagResult::NothingReached && !transponder->unfinished;
    journal.finish(entry.id, nothingOnTag ? CycleState::Failed : CycleState::Uncertain);
    if (!nothingOnTag && source == Source::DecimalCounter && !transponder->unfinished) {
        // The ID stays with that tag: "next" shows where the next one goes.
        fields.source.set.carrierId = formatUnsigned64(step.counterValue + 1u);
        fields.source.nextCarrierId = fields.source.set.carrierId;
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

void runAutomaticCycle(CycleFields &fields, CycleStation &station)
{
    try {
        programOne(fields, station);
    } catch (const JournalError &error) {
        notifyText(station, journalFailedText(error.what()), NoticeLevel::Stop);
    }
    station.showInControls();
}

} // namespace teb
