#include "automatic/automatic_cycle.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/cycle_data_step.h"
#include "automatic/cycle_messages.h"
#include "automatic/page_placement.h"
#include "common/decimal_text.h"
#include "transponder/byte_text.h"

#include <algorithm>

namespace teb {
namespace {

using namespace cycle_steps;

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
    const PagesWritten written = station.writePages(out, uid);
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

// The source moves on past the carrier ID just programmed; false when a CSV
// row kept no "X".
bool advanceSource(Cycle &cycle, Source source, const DataStep &step, const JournalEntry &entry,
                   CycleStation &station)
{
    switch (source) {
    case Source::Csv:
    case Source::CsvComplete: cycle.out.csvState.rowInPages.reset(); return station.markCsvRow(entry);
    case Source::DecimalCounter:
        // The next cycle's data step moves on past what other stations hold meanwhile.
        if (step.counterValue >= cycle.next.value_or(0))
            moveNext(cycle, step.counterValue + 1u);
        return true;
    case Source::FixedData:
        cycle.out.programmedCount = station.fixedDataCount(cycle.in.journal.setName, cycle.in.journal.fixedJob);
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
    if (out.set.logEnabled && !station.appendRecord(out)) {
        station.enableAfterRecordFailure();
        out.recordFailed = true;
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

std::optional<Transponder> transponderOnAntenna(const Cycle &cycle, Source source, CycleStation &station)
{
    const auto uid = station.readUid();
    if (!uid) {
        station.clearPageResultColours();
        station.notify(notice::uidNotRead);
        return std::nullopt;
    }
    const TransponderHistory history = station.historyOf(*uid);
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
                        const JournalEntry &entry)
{
    try {
        station.finish(entry.id, CycleState::Programmed);
    } catch (const JournalError &error) {
        // The ID stays held as reserved, and counts as uncertain after a restart.
        notifyText(station, confirmationFailedText(error.what()), NoticeLevel::Stop);
    }
    const bool marked = advanceSource(cycle, source, step, entry, station);
    advanceCounterPage(cycle, step);
    recordTransponder(cycle, station);
    if (!marked)
        station.notify(notice::csvMarkFailed);
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

void programOne(Cycle &cycle, CycleStation &station)
{
    if (!cycle.in.journal.open) {
        notifyText(station, journalUnavailableText(cycle.in.journal.problem), NoticeLevel::Stop);
        return;
    }
    const Source source = sourceOf(cycle.out.set);
    if (source == Source::Csv || source == Source::CsvComplete)
        station.markProgrammedRows();
    DataStep step;
    if (!dataReady(cycle, source, Offer{station}, step))
        return;
    const auto transponder = transponderOnAntenna(cycle, source, station);
    if (!transponder)
        return;

    JournalEntry entry;
    if (transponder->unfinished) {
        // The transponder of an interrupted cycle is back: it gets the same data.
        if (!dataReady(cycle, source, Offer{station, &*transponder->unfinished}, step))
            return;
        entry = *transponder->unfinished;
    } else if (auto reserved = reserveNext(cycle, source, station, transponder->uid, step)) {
        entry = std::move(*reserved);
    } else {
        return;
    }
    const TagResult result = programTransponder(cycle, station, transponder->uid);
    if (result == TagResult::Programmed && cycle.out.errorCount == 0)
        return concludeProgrammed(cycle, source, station, step, entry);
    // A finishing cycle that fails again may still have left its first try on the tag.
    const bool nothingOnTag = result == TagResult::NothingReached && !transponder->unfinished;
    station.finish(entry.id, nothingOnTag ? CycleState::Failed : CycleState::Uncertain);
    if (!nothingOnTag && source == Source::DecimalCounter && !transponder->unfinished) {
        // The ID stays with that tag: "next" shows where the next one goes.
        moveNext(cycle, step.counterValue + 1u);
    }
}

} // namespace

bool markJournalRow(CarrierIdJournal &journal, const JournalEntry &entry)
{
    const CsvFormat format = entry.source == journal_source::csvFileComplete ? CsvFormat::Complete : CsvFormat::Simple;
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
        notifyText(station, journalFailedText(error.what()), NoticeLevel::Stop);
    }
    station.show(cycle.out);
    return cycle.out;
}

} // namespace teb
