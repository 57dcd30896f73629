#include "automatic/interrupted_cycle.h"

#include "automatic/cycle_conclusion.h"
#include "automatic/cycle_messages.h"
#include "automatic/entry_pages.h"
#include "automatic/read_back.h"

#include <algorithm>

namespace teb::cycle_steps {
namespace {

bool anyOf(const PageFlagArray &pages)
{
    return std::any_of(pages.begin(), pages.end(), [](bool on) { return on; });
}

void fail(Cycle &cycle, CycleStation &station, std::string failure)
{
    notifyText(station, readBackFailedText(failure), NoticeLevel::Stop);
    cycle.out.failure = std::move(failure);
}

// What the transponder holds, against the entry; the pages that differ, or
// empty (after the failure is told) when it cannot be compared.
std::optional<PageFlagArray> pagesToWrite(Cycle &cycle, CycleStation &station, const JournalEntry &entry,
                                          const EntryPages &pages)
{
    const TagReading reading = station.readTransponder(pages.written);
    const ReadBackVerdict verdict = judgeReading(reading, entry.uid, pages.cells, pages.written);
    using Kind = ReadBackVerdict::Kind;
    if (verdict.kind == Kind::UidNotRead || verdict.kind == Kind::OtherTransponder || verdict.kind == Kind::PageNotRead) {
        fail(cycle, station, readBackFailureText(verdict));
        return std::nullopt;
    }
    return pagesDiffering(reading, pages.cells, pages.written);
}

// A reserved entry (a cycle cut off elsewhere, or one whose end was not
// written) that this try wrote to may be on the tag by now.
void endAsUncertain(CycleStation &station, const JournalEntry &entry)
{
    if (entry.state == CycleState::Reserved)
        endEntry(station, entry, CycleState::Uncertain);
}

// The entry's own pages onto the transponder; false after the failure is told.
bool writeEntryPages(Cycle &cycle, CycleStation &station, const JournalEntry &entry, const EntryPages &pages,
                     const PageFlagArray &differing)
{
    // A reader may refuse a write now and then without the page being
    // locked: only a page refused at every try spoils the transponder.
    constexpr int kTries = 3;
    PagesWritten written;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        written = station.writePages(cycle.out, imageOf(pages), differing, entry.uid);
        if (!written.refused)
            break;
    }
    cycle.out.errorCount = written.errorCount;
    if (written.errorCount == 0)
        return true;
    if (written.refused && written.failedPage > 0) {
        // Refused: the page is locked with other data, and stays so.
        cycle.out.failure = spoiledFailureText(written.failedPage);
        notifyText(station, spoiledNowText(entry, written.failedPage), NoticeLevel::Stop);
        endEntry(station, entry, CycleState::Spoiled);
        return false;
    }
    station.notify(notice::kWriteFailed);
    endAsUncertain(station, entry);
    return false;
}

bool lockEntryPages(Cycle &cycle, CycleStation &station, const JournalEntry &entry, const EntryPages &pages)
{
    if (!anyOf(pages.locked))
        return true;
    cycle.out.errorCount = station.lockPages(pages.locked);
    if (cycle.out.errorCount == 0)
        return true;
    station.notify(notice::kLockFailed);
    endAsUncertain(station, entry);
    return false;
}

// The window shows the entry's pages where the entry is of the current set,
// so that its record holds them.
bool showEntryPages(Cycle &cycle, const JournalEntry &entry, const EntryPages &pages)
{
    if (entry.setName != cycle.in.journal.setName)
        return false;
    PageImage image = imageOf(pages);
    image.placed = pages.written;
    cycle.out.pages = image;
    return true;
}

} // namespace

void finishInterrupted(Cycle &cycle, const JournalEntry &entry, CycleStation &station)
{
    cycle.out.entry = entry;
    const auto pages = entryPagesOf(entry);
    if (!pages) {
        fail(cycle, station, "its unfinished cycle holds no pages to compare");
        return;
    }
    const bool ownSet = showEntryPages(cycle, entry, *pages);
    const auto differing = pagesToWrite(cycle, station, entry, *pages);
    if (!differing)
        return;
    if (anyOf(*differing) && !writeEntryPages(cycle, station, entry, *pages, *differing))
        return;
    if (!lockEntryPages(cycle, station, entry, *pages))
        return;
    if (anyOf(*differing)) {
        const ReadBackVerdict verdict =
            judgeReading(station.readTransponder(pages->written), entry.uid, pages->cells, pages->written);
        if (verdict.kind != ReadBackVerdict::Kind::Equal) {
            fail(cycle, station, readBackFailureText(verdict));
            return;
        }
    }
    concludeProgrammed(cycle, station, entry, ownSet);
}

} // namespace teb::cycle_steps
