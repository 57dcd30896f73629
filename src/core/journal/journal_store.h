#pragma once

// What the journal's tables hold and how one session reads and writes them:
// the rows as entries, an entry inserted, the schema created, the sync level.
// Only the journal itself includes this (it brings SOCI's headers along).

#include "journal/carrier_id_journal.h"
#include "journal/journal_schema.h"

#include <soci/soci.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace teb::journal_store {

inline constexpr std::size_t kNumericDigits = kLongestCountedCarrierId;
// The columns every entry is read with, in the order entryOf takes them.
extern const std::string_view kColumns;

// The entry in a row that starts with kColumns.
JournalEntry entryOf(const soci::row &row);
// The entries of a query that selects kColumns, in its order.
std::vector<JournalEntry> entriesOf(soci::rowset<soci::row> rows);
std::optional<JournalEntry> firstOf(std::vector<JournalEntry> entries);

// How much a commit is worth: a durable one survives a power loss; a lazy
// one (what the files can tell again) is written without its own sync.
enum class Commit { Durable, Lazy };

// The carrier ID as a number when it is nothing but digits; the counter finds
// its IDs by it, whichever source issued them.
std::optional<long long> numericId(std::string_view carrierId);
// Writes the entry as it stands; returns its id.
long long insertEntry(soci::session &sql, const JournalEntry &entry, bool holdsCarrierId = true);
// Some paths (an insert that returns its id) report a refused second holder
// only in their text.
bool isUniqueViolation(const soci::soci_error &error);
// The refused second holder holds the same pages 1 and 2 (not the carrier ID).
bool isPagesViolation(const soci::soci_error &error);
void createSchema(soci::session &sql, journal_schema::Dialect dialect);
// SQLite only: a server's commits are as durable as it is set up to make them.
void setSynchronous(soci::session &sql, journal_schema::Dialect dialect, Commit commit);

} // namespace teb::journal_store
