#pragma once

#include "journal/journal_entry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The history window reads the journal a page at a time: a page ends where
// the next one starts, so no page costs more than its own rows, however far
// back it lies.
namespace teb {

// Where a page starts: after the entry `id`, whose value of the search's
// `part`th column was `key` (id 0: at the start of that part).
struct HistoryCursor {
    std::size_t part = 0;
    std::string key;
    std::int64_t id = 0;
};

struct HistoryPage {
    std::vector<JournalEntry> entries;
    std::optional<HistoryCursor> next; // where the following page starts; none: nothing follows
};

} // namespace teb
