#pragma once

#include "journal/journal_entry.h"
#include "transponder/page_image.h"

#include <optional>

// The pages of a journal entry as it was reserved: what its cycle sent and
// what it was to lock. An interrupted cycle is finished with these, never
// with the set as it is by now.
namespace teb {

struct EntryPages {
    PageCells cells;
    PageFlagArray written{}; // the page was sent
    PageFlagArray locked{};  // and is to be locked
};

// Empty when the entry holds no pages that can be read (an entry of an
// earlier version, a damaged row).
std::optional<EntryPages> entryPagesOf(const JournalEntry &entry);
// The pages into the entry's pagesHex and pagesLocked, as entryPagesOf reads them.
void storeEntryPages(JournalEntry &entry, const EntryPages &pages);

// The entry's pages as an image to write: the pages not written are blank.
PageImage imageOf(const EntryPages &pages);

} // namespace teb
