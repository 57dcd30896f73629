#include "automatic/cycle_conclusion.h"

#include "automatic/cycle_messages.h"

#include <algorithm>

namespace teb::cycle_steps {
namespace {

// A programmed CSV row gets its "X"; false when it could not be made. The
// journal holds the row either way, so it is never offered again, and the
// mark is retried.
bool markCsvRow(CycleStation &station, const JournalEntry &entry)
{
    if (entry.csvFile.empty())
        return true;
    try {
        return station.markCsvRow(entry);
    } catch (const JournalError &) {
        return true; // the file has its "X"; the journal's note of it is lazy
    }
}

void recordTransponder(Cycle &cycle, CycleStation &station, const JournalEntry &entry)
{
    CycleOutcome &out = cycle.out;
    if (out.set.logEnabled) {
        if (station.appendRecord(out)) {
            station.noteRecorded(entry.id);
        } else {
            station.enableAfterRecordFailure();
            out.recordFailed = true;
        }
    }
    const auto &pages = out.set.pages;
    const auto editable = std::find_if(pages.begin(), pages.end(), [](const PageSetting &page) { return page.editable; });
    if (editable != pages.end())
        out.focusPage = static_cast<int>(editable - pages.begin());
}

// The data step counted the job before this transponder; the next cycle's
// data step counts again, with other stations' transponders.
void countFixedData(Cycle &cycle, const JournalEntry &entry)
{
    if (entry.source != journal_source::kFixData || entry.setName != cycle.in.journal.setName)
        return;
    if (cycle.out.programmedCount)
        ++*cycle.out.programmedCount;
}

} // namespace

bool endEntry(CycleStation &station, const JournalEntry &entry, CycleState state)
{
    try {
        station.finish(entry.id, state);
        return true;
    } catch (const JournalError &error) {
        notifyText(station, state == CycleState::Programmed ? confirmationFailedText(error.what()) : endNotWrittenText(error.what()),
                   NoticeLevel::Stop);
        return false;
    }
}

void concludeProgrammed(Cycle &cycle, CycleStation &station, const JournalEntry &entry, bool recorded)
{
    const bool confirmed = endEntry(station, entry, CycleState::Programmed);
    const bool marked = markCsvRow(station, entry);
    countFixedData(cycle, entry);
    if (recorded)
        recordTransponder(cycle, station, entry);
    if (!marked)
        station.notify(notice::kCsvMarkFailed);
    cycle.out.passed = confirmed && !cycle.out.recordFailed;
    if (!confirmed)
        cycle.out.failure = std::string(kNotConfirmed);
    else if (cycle.out.recordFailed)
        cycle.out.failure = std::string(kNotRecorded);
}

} // namespace teb::cycle_steps
