#pragma once

#include <string>
#include <string_view>
#include <vector>

// The journal's tables. The schema carries a version number; a station meets
// a newer one with a refusal instead of writing into it.
namespace teb::journal_schema {

// 2: pages 1 and 2 have a key of their own (pages_key).
// 3: a programmed entry tells whether its record is known to be written (recorded).
// 4: a local journal keeps running sums (held_blocks, programmed_by_set).
inline constexpr int kVersion = 4;

enum class Dialect { Sqlite, Postgres };

// The statements that create the tables and indexes when they are missing.
std::vector<std::string> creationStatements(Dialect dialect);

// One transponder per pages-1-and-2 bytes, as per carrier ID. Made after the
// column exists in a journal of an earlier version.
inline constexpr std::string_view kPagesKeyIndex =
    "CREATE UNIQUE INDEX IF NOT EXISTS one_transponder_per_pages ON cycles (pages_key) WHERE state <> 'failed'";

// This station's programmed entries whose record may be missing: few, and
// asked for at every start.
inline constexpr std::string_view kUnrecordedIndex =
    "CREATE INDEX IF NOT EXISTS cycles_unrecorded ON cycles (station) WHERE recorded = 0 AND state = 'programmed'";

// A local journal's running sums, kept by triggers with every entry: how
// many numbers of each block of kNumberBlock a carrier-ID length holds, and
// how many transponders each set has programmed. A start-up then reads a few
// sums instead of counting a run of a million entries. (A server journal
// counts: its stations would all wait for the same sum's row.)
inline constexpr long long kNumberBlock = 1024;
std::vector<std::string> runningSumStatements();
std::vector<std::string> runningSumFillStatements();

// The read-only view that other systems (a MES, a report) read the
// programmed carriers from, without depending on the tables behind it. Its
// columns keep their names and meaning from one version to the next.
inline constexpr std::string_view kProgrammedCarriersView = "programmed_carriers";

// The history window's search indexes (the carrier ID as shown, its HEX key,
// the UID, each in byte order) and the view, made when missing.
std::vector<std::string> historyStatements(Dialect dialect);

} // namespace teb::journal_schema
