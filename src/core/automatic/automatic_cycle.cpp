#include "automatic/automatic_cycle.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/cycle_conclusion.h"
#include "automatic/cycle_data_step.h"
#include "automatic/cycle_messages.h"
#include "automatic/entry_pages.h"
#include "automatic/interrupted_cycle.h"
#include "automatic/page_placement.h"
#include "automatic/read_back.h"
#include "common/decimal_text.h"

namespace teb {
namespace {

using namespace cycle_steps;

std::size_t index(int page) { return static_cast<std::size_t>(page - 1); }

// The pages a cycle sends: those selected that hold bytes.
PageFlagArray pagesWritten(const Cycle &cycle)
{
    PageFlagArray written{};
    for (int page = 1; page <= kPageCount; ++page)
        written[index(page)] = cycle.in.selected[index(page)] && cycle.out.pages.holdsBytes(page);
    return written;
}

// The pages a cycle locks: those selected that the set locks.
PageFlagArray pagesLocked(const Cycle &cycle)
{
    PageFlagArray locked{};
    for (std::size_t i = 0; i < kPageCount; ++i)
        locked[i] = cycle.in.selected[i] && cycle.out.set.pages[i].locked;
    return locked;
}

// Every page written, or (where the station is set so, each page read costs
// radio time) the carrier ID's pages and the counter page; never fewer.
PageFlagArray pagesReadBack(const Cycle &cycle, const DataStep &step)
{
    const PageFlagArray written = pagesWritten(cycle);
    if (cycle.in.journal.readBackAllPages)
        return written;
    PageFlagArray pages{};
    if (step.carrierIdRun && step.carrierIdRun->length > 0) {
        const int last = pageOfCell(step.carrierIdRun->offset + step.carrierIdRun->length - 1);
        for (int page = pageOfCell(step.carrierIdRun->offset); page <= last; ++page)
            pages[index(page)] = written[index(page)];
    }
    if (const auto &counterPage = cycle.in.numbers.counterPage; step.counterPagePlaced && counterPage)
        pages[index(*counterPage)] = written[index(*counterPage)];
    if (std::none_of(pages.begin(), pages.end(), [](bool on) { return on; }))
        return written;
    return pages;
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
    // What goes onto the tag: its record can be written again from the
    // journal, and an interrupted cycle is finished with exactly these.
    storeEntryPages(entry, EntryPages{out.pages.cells, pagesWritten(cycle), pagesLocked(cycle)});
    return entry;
}

// How the transponder's part of the cycle ended.
enum class TagResult { Programmed, NothingReached, Uncertain };

struct TagStep {
    TagResult result = TagResult::Programmed;
    std::string failure; // where the cycle knows the reason better than the exchanges
};

constexpr std::string_view kTransponderChanged = "the transponder was changed during the cycle";

TagStep writeAndLock(Cycle &cycle, CycleStation &station, const std::string &uid)
{
    CycleOutcome &out = cycle.out;
    const PagesWritten written = station.writePages(out, out.pages, pagesWritten(cycle), uid);
    out.errorCount = written.errorCount;
    if (written.errorCount != 0) {
        station.notify(notice::kWriteFailed);
        if (written.uid && *written.uid != uid)
            return {TagResult::NothingReached, std::string(kTransponderChanged)};
        return {written.reachedTag ? TagResult::Uncertain : TagResult::NothingReached, {}};
    }
    out.errorCount = station.lockPages(pagesLocked(cycle));
    if (*out.errorCount != 0) {
        station.notify(notice::kLockFailed);
        return {TagResult::Uncertain, {}};
    }
    return {TagResult::Programmed, {}};
}

// The transponder, not the reader's acknowledgements, decides: its UID and
// the pages written are read back and must equal what was sent.
TagStep readBack(Cycle &cycle, CycleStation &station, const std::string &uid, const DataStep &step)
{
    const PageFlagArray pages = pagesReadBack(cycle, step);
    const ReadBackVerdict verdict = judgeReading(station.readTransponder(pages), uid, cycle.out.pages.cells, pages);
    if (verdict.kind == ReadBackVerdict::Kind::Equal)
        return {TagResult::Programmed, {}};
    const std::string failure = readBackFailureText(verdict);
    notifyText(station, readBackFailedText(failure), NoticeLevel::Stop);
    return {TagResult::Uncertain, failure};
}

// A reservation that took a round trip to a server leaves time to swap the
// transponder: a TI transponder is asked again (an Orvex one is, by its write).
bool stillTheSameTransponder(const Cycle &cycle, CycleStation &station, const std::string &uid)
{
    if (!cycle.in.journal.onServer || cycle.out.set.transponderOrvex)
        return true;
    return station.readUid() == uid;
}

// The source moves on past the carrier ID programmed, or held by a tag.
void advanceSource(Cycle &cycle, Source source, const DataStep &step)
{
    if (source == Source::Csv || source == Source::CsvComplete)
        cycle.out.csvState.rowInPages.reset();
    // The next cycle's data step moves on past what other stations hold meanwhile.
    if (source == Source::DecimalCounter && step.counterValue >= cycle.next.value_or(0))
        moveNext(cycle, step.counterValue + 1u);
    ParameterSet &set = cycle.out.set;
    if (step.counterPagePlaced)
        set.counterValue = nextCounterPageValue(readCounter(set.counterValue));
}

void conclude(Cycle &cycle, Source source, CycleStation &station, const DataStep &step, const JournalEntry &entry,
              const TagStep &tag)
{
    cycle.out.failure = tag.failure;
    switch (tag.result) {
    case TagResult::Programmed:
        advanceSource(cycle, source, step);
        concludeProgrammed(cycle, station, entry, true);
        return;
    case TagResult::NothingReached: endEntry(station, entry, CycleState::Failed); return;
    case TagResult::Uncertain:
        endEntry(station, entry, CycleState::Uncertain);
        // The ID stays with that tag: "next" shows where the next one goes.
        if (source == Source::DecimalCounter)
            moveNext(cycle, step.counterValue + 1u);
        return;
    }
}

// Another station may take the chosen carrier ID between the choice and the
// reservation: the database refuses the second holder, and the next free one
// is taken. Nothing has been written yet.
std::optional<JournalEntry> reserveNext(Cycle &cycle, Source source, CycleStation &station, const std::string &uid,
                                        DataStep &step)
{
    constexpr int kAttempts = 20;
    std::string refusal;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        const JournalEntry wanted = reservationOf(cycle, source, step, uid);
        try {
            return station.reserve(wanted);
        } catch (const PagesTaken &) {
            refusal = pagesTakenMeanwhileText(wanted.shownCarrierId());
        } catch (const CarrierIdTaken &) {
            refusal = takenMeanwhileText(step.carrierId);
        }
        if (attempt == kAttempts)
            break;
        if (!dataReady(cycle, source, Offer{station}, step))
            return std::nullopt;
        // Offered again what was just refused: another try would not move on.
        const JournalEntry offered = reservationOf(cycle, source, step, uid);
        if (offered.carrierId == wanted.carrierId && offered.pagesHex == wanted.pagesHex)
            break;
    }
    notifyText(station, refusal, NoticeLevel::Warning);
    return std::nullopt;
}

// How many values from "next" on one reservation offers: enough for every
// station of a fab on one counter to find a free one in one round trip.
constexpr std::size_t kValuesOffered = 64;

// "next" as the data step placed it, then the values after it up to the
// bound, each in the same pages.
std::vector<JournalEntry> counterOffer(const Cycle &cycle, const DataStep &step, const std::string &uid)
{
    std::vector<JournalEntry> offered{reservationOf(cycle, Source::DecimalCounter, step, uid)};
    Cycle trial{cycle.in, cycle.out, cycle.next};
    DataStep later = step;
    for (std::uint64_t value = step.counterValue + 1u;
         offered.size() < kValuesOffered && value <= cycle.in.numbers.bound; ++value) {
        later.carrierId = zeroPadded(value, step.carrierId.size());
        later.counterValue = value;
        later.position = formatUnsigned64(value);
        if (!placeCarrierId(trial.out.pages, step.carrierIdRun, later.carrierId))
            break;
        offered.push_back(reservationOf(trial, Source::DecimalCounter, later, uid));
    }
    return offered;
}

// The journal reserved a later value than "next": the pages and "next" follow it.
void takeReservedValue(Cycle &cycle, DataStep &step, const JournalEntry &reserved)
{
    const std::uint64_t value = readUnsigned64(reserved.position);
    if (value == step.counterValue)
        return;
    step.counterValue = value;
    step.carrierId = reserved.carrierId;
    step.position = reserved.position;
    placeCarrierId(cycle.out.pages, step.carrierIdRun, step.carrierId);
    moveNext(cycle, value);
}

// The decimal counter's common case in one round trip: the data step offers
// "next" and the values after it without asking the journal, which reserves
// the first that nothing holds and tells the transponder's history with it.
// Nothing when the data step would refuse: the cycle then asks as always.
std::optional<FirstFreeReservation> reserveCounterInOneTrip(Cycle &cycle, CycleStation &station,
                                                            const std::string &uid, DataStep &step)
{
    constexpr int kOffers = 3;
    std::optional<FirstFreeReservation> answer;
    for (int offer = 0; offer < kOffers; ++offer) {
        if (dataRefusal(cycle, Source::DecimalCounter, Offer{station, false}, step) || !step.carrierIdRun)
            return answer;
        const std::vector<JournalEntry> offered = counterOffer(cycle, step, uid);
        answer = station.reserveFirstFree(uid, offered);
        if (answer->reserved) {
            takeReservedValue(cycle, step, *answer->reserved);
            return answer;
        }
        if (answer->history.holdsAnything())
            return answer;
        // Every value offered is held (many stations on the counter, and
        // this one far behind): "next" goes on at the first free number.
        moveNext(cycle, station.firstFreeNumber(step.counterValue + offered.size(), step.carrierId.size()));
    }
    return answer;
}

// Whether this transponder may get new data; after its message when not.
bool mayProgram(CycleStation &station, const std::optional<std::string> &uid, const TransponderHistory &history)
{
    if (!uid) {
        station.clearPageResultColours();
        station.notify(notice::kUidNotRead);
        return false;
    }
    const auto &known = history.programmed ? history.programmed : history.spoiled;
    if (!known)
        return true;
    station.clearPageResultColours();
    notifyText(station, history.programmed ? alreadyProgrammedText(*known) : spoiledTransponderText(*known),
               NoticeLevel::Warning);
    return false;
}

void programOne(Cycle &cycle, CycleStation &station)
{
    if (!cycle.in.journal.open) {
        notifyText(station, journalUnavailableText(cycle.in.journal.problem), NoticeLevel::Stop);
        return;
    }
    const Source source = sourceOf(cycle.out.set);
    if (source == Source::Csv || source == Source::CsvComplete)
        station.markProgrammedRows();
    // The transponder first: one whose cycle was cut off is finished from
    // what it holds, whatever the source has left.
    const std::optional<std::string> uid = station.readUid();
    std::optional<FirstFreeReservation> known;
    DataStep step;
    if (uid && source == Source::DecimalCounter)
        known = reserveCounterInOneTrip(cycle, station, *uid, step);
    const TransponderHistory history = known ? known->history : uid ? station.historyOf(*uid) : TransponderHistory{};
    if (history.unfinished)
        return finishInterrupted(cycle, *history.unfinished, station);
    if (known && !mayProgram(station, uid, history))
        return;
    std::optional<JournalEntry> entry = known ? known->reserved : std::nullopt;
    if (!entry) { // every value offered was held, or the journal was not asked yet
        if (!dataReady(cycle, source, Offer{station}, step)) {
            cycle.out.dataRefused = true;
            return;
        }
        if (!known && !mayProgram(station, uid, history))
            return;
        entry = reserveNext(cycle, source, station, *uid, step);
        if (!entry)
            return;
    }
    cycle.out.entry = *entry;
    if (!stillTheSameTransponder(cycle, station, *uid)) {
        notifyText(station, readBackFailedText(std::string(kTransponderChanged)), NoticeLevel::Stop);
        return conclude(cycle, source, station, step, *entry, {TagResult::NothingReached, std::string(kTransponderChanged)});
    }
    TagStep tag = writeAndLock(cycle, station, *uid);
    if (tag.result == TagResult::Programmed)
        tag = readBack(cycle, station, *uid, step);
    conclude(cycle, source, station, step, *entry, tag);
}

} // namespace

bool markJournalRow(CarrierIdJournal &journal, const JournalEntry &entry)
{
    const CsvFormat format = entry.source == journal_source::kCsvFileComplete ? CsvFormat::Complete : CsvFormat::Simple;
    const CsvRow row{static_cast<std::size_t>(readUnsigned64(entry.position)), entry.csvRow};
    if (markRowProcessed(entry.csvFile, format, row, entry.csvDelimiter) != MarkResult::Marked)
        return false;
    journal.markCsvRow(entry.id);
    return true;
}

bool markProgrammedRows(CarrierIdJournal &journal)
{
    bool allMarked = true;
    for (const JournalEntry &entry : journal.unmarkedCsvRows())
        allMarked = markJournalRow(journal, entry) && allMarked;
    return allMarked;
}

CycleOutcome runAutomaticCycle(const CycleInput &input, CycleStation &station)
{
    Cycle cycle{input, {}, input.numbers.next}; // what it decides starts from what it was given
    cycle.out.set = input.set;
    cycle.out.pages = input.pages;
    cycle.out.csvState = input.csvState;
    try {
        programOne(cycle, station);
    } catch (const JournalError &error) {
        // Thrown only before the first write: nothing reached a transponder.
        notifyText(station, journalFailedText(error.what()), NoticeLevel::Stop);
    }
    station.show(cycle.out);
    return cycle.out;
}

CycleOutcome finishFromTransponder(const CycleInput &input, const JournalEntry &entry, CycleStation &station)
{
    Cycle cycle{input, {}, input.numbers.next};
    cycle.out.set = input.set;
    cycle.out.pages = input.pages;
    cycle.out.csvState = input.csvState;
    try {
        finishInterrupted(cycle, entry, station);
    } catch (const JournalError &error) {
        notifyText(station, endNotWrittenText(error.what()), NoticeLevel::Stop);
    }
    station.show(cycle.out);
    return cycle.out;
}

} // namespace teb
