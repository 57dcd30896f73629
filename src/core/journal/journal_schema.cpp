#include "journal/journal_schema.h"

namespace teb::journal_schema {

std::vector<std::string> creationStatements(Dialect dialect)
{
    // The one difference: how each database numbers its rows.
    const std::string idColumn = dialect == Dialect::Sqlite ? " id INTEGER PRIMARY KEY," : " id BIGSERIAL PRIMARY KEY,";
    // One carrier ID belongs to one transponder: the database refuses a second
    // entry holding it, whichever station writes. A failed cycle holds nothing.
    return {
        "CREATE TABLE IF NOT EXISTS journal_schema (version INTEGER NOT NULL)",
        "CREATE TABLE IF NOT EXISTS cycles (" + idColumn +
        " carrier_key TEXT,"     // the ID's bytes in HEX while the entry holds the ID; else NULL
        " pages_key TEXT,"       // pages 1 and 2 as written (pagesKey) while it holds the ID; else NULL
        " carrier_hex TEXT NOT NULL,"
        " carrier_id TEXT NOT NULL,"
        " numeric_id BIGINT,"
        " id_length INTEGER NOT NULL,"
        " set_name TEXT NOT NULL,"
        " source TEXT NOT NULL,"
        " position TEXT NOT NULL,"
        " csv_file TEXT NOT NULL,"
        " csv_row_hex TEXT NOT NULL,"
        " csv_delimiter TEXT NOT NULL,"
        " csv_marked INTEGER NOT NULL,"
        " counter_page_value TEXT NOT NULL,"
        " counter_start TEXT NOT NULL,"
        " job BIGINT NOT NULL,"
        " pages_hex TEXT NOT NULL,"
        " pages_locked TEXT NOT NULL,"
        " uid TEXT NOT NULL,"
        " state TEXT NOT NULL,"
        " reserved_at TEXT NOT NULL,"
        " finished_at TEXT NOT NULL,"
        " station TEXT NOT NULL,"
        " recorded INTEGER NOT NULL DEFAULT 1)", // 0: programmed, its record not yet known to be written
        "CREATE UNIQUE INDEX IF NOT EXISTS one_transponder_per_carrier_id ON cycles (carrier_key)"
        " WHERE state <> 'failed'",
        "CREATE INDEX IF NOT EXISTS cycles_by_uid ON cycles (uid)",
        "CREATE INDEX IF NOT EXISTS cycles_by_number ON cycles (id_length, numeric_id)",
        "CREATE INDEX IF NOT EXISTS cycles_by_set ON cycles (set_name, source, job)",
        // Carrier IDs issued before the journal existed, taken over from the
        // counter progress a set kept beside its file.
        "CREATE TABLE IF NOT EXISTS issued_ranges ("
        " id_length INTEGER NOT NULL,"
        " first_value BIGINT NOT NULL,"
        " last_value BIGINT NOT NULL,"
        " set_name TEXT NOT NULL,"
        " taken_from TEXT NOT NULL)",
        // The counter page value a set's progress had reached, taken over with it.
        "CREATE TABLE IF NOT EXISTS counter_pages_taken_over ("
        " set_name TEXT NOT NULL,"
        " counter_start TEXT NOT NULL,"
        " last_value TEXT NOT NULL)",
        // The fixed-data jobs: a "Config" take-over starts a new count.
        "CREATE TABLE IF NOT EXISTS jobs (set_name TEXT NOT NULL, job BIGINT NOT NULL, started_at TEXT NOT NULL)",
        // Files taken over once.
        "CREATE TABLE IF NOT EXISTS taken_over (file TEXT PRIMARY KEY, taken_at TEXT NOT NULL)",
        // What a cycle or a start-up asks, answered without reading every
        // entry: the rows whose "X" is missing (every CSV cycle), a set's
        // programmed count, this station's cut-off cycles, a set's last
        // counter page value, and the numbers the counter may not offer.
        "CREATE INDEX IF NOT EXISTS cycles_unmarked_csv_rows ON cycles (id)"
        " WHERE state = 'programmed' AND csv_file <> '' AND csv_marked = 0",
        "CREATE INDEX IF NOT EXISTS cycles_unmarked_csv_rows_of_station ON cycles (station, id)"
        " WHERE state = 'programmed' AND csv_file <> '' AND csv_marked = 0",
        "CREATE INDEX IF NOT EXISTS cycles_programmed_by_set ON cycles (set_name) WHERE state = 'programmed'",
        "CREATE INDEX IF NOT EXISTS cycles_reserved_by_station ON cycles (station) WHERE state = 'reserved'",
        "CREATE INDEX IF NOT EXISTS cycles_with_counter_page ON cycles (set_name, counter_start)"
        " WHERE counter_page_value <> '' AND state <> 'failed'",
        "CREATE INDEX IF NOT EXISTS cycles_numbers_with_state ON cycles (id_length, numeric_id, state)",
    };
}

namespace {

// An entry holds its number unless it failed; a number two entries hold
// (a manual write that shares an ID) counts once, so a sum moves only when
// no other entry holds the number.
std::string heldSumChange(const std::string &row, const std::string &delta)
{
    return "INSERT INTO held_blocks (id_length, block, held) SELECT " + row + ".id_length, " + row +
           ".numeric_id / 1024, " + delta + " WHERE " + row + ".numeric_id IS NOT NULL AND " + row +
           ".state <> 'failed' AND NOT EXISTS (SELECT 1 FROM cycles c WHERE c.id_length = " + row +
           ".id_length AND c.numeric_id = " + row + ".numeric_id AND c.state <> 'failed' AND c.id <> " + row +
           ".id) ON CONFLICT (id_length, block) DO UPDATE SET held = held + excluded.held;";
}

std::string programmedSumChange(const std::string &row, const std::string &delta)
{
    return "INSERT INTO programmed_by_set (set_name, programmed) SELECT " + row + ".set_name, " + delta + " WHERE " +
           row + ".state = 'programmed' ON CONFLICT (set_name) DO UPDATE SET programmed = programmed + "
                 "excluded.programmed;";
}

} // namespace

std::vector<std::string> runningSumStatements()
{
    static_assert(kNumberBlock == 1024, "the triggers divide by 1024");
    return {
        "CREATE TABLE IF NOT EXISTS held_blocks (id_length INTEGER NOT NULL, block BIGINT NOT NULL,"
        " held BIGINT NOT NULL, PRIMARY KEY (id_length, block))",
        "CREATE TABLE IF NOT EXISTS programmed_by_set (set_name TEXT PRIMARY KEY, programmed BIGINT NOT NULL)",
        "CREATE TRIGGER IF NOT EXISTS sums_of_a_new_entry AFTER INSERT ON cycles BEGIN " +
            heldSumChange("NEW", "1") + programmedSumChange("NEW", "1") + " END",
        // What the entry counted before leaves the sums, what it counts now
        // enters them: right for every change of state, number or set.
        "CREATE TRIGGER IF NOT EXISTS sums_of_a_changed_entry AFTER UPDATE OF state, numeric_id, id_length, set_name"
        " ON cycles BEGIN " +
            heldSumChange("OLD", "-1") + heldSumChange("NEW", "1") + programmedSumChange("OLD", "-1") +
            programmedSumChange("NEW", "1") + " END",
        "CREATE TRIGGER IF NOT EXISTS sums_of_a_removed_entry AFTER DELETE ON cycles BEGIN " +
            heldSumChange("OLD", "-1") + programmedSumChange("OLD", "-1") + " END",
    };
}

// The sums of a journal written before they existed.
std::vector<std::string> runningSumFillStatements()
{
    return {
        "INSERT INTO held_blocks (id_length, block, held) SELECT id_length, numeric_id / 1024,"
        " COUNT(DISTINCT numeric_id) FROM cycles WHERE numeric_id IS NOT NULL AND state <> 'failed'"
        " GROUP BY id_length, numeric_id / 1024",
        "INSERT INTO programmed_by_set (set_name, programmed) SELECT set_name, COUNT(*) FROM cycles"
        " WHERE state = 'programmed' GROUP BY set_name",
    };
}

namespace {

// carrier_id as shown (its HEX key when a byte is not printable), times as
// "YYYY-MM-DD hh:mm:ss" in the station's local time, job the fixed-data job
// (0 for other sources), schema_version the journal's schema version.
std::string programmedCarriersSelect(Dialect dialect)
{
    // PostgreSQL compares the texts in bytes, as SQLite does, and so a
    // question by carrier ID or UID finds its index.
    const std::string bytes = dialect == Dialect::Postgres ? " COLLATE \"C\"" : "";
    return "SELECT id AS entry_id, carrier_id" + bytes + " AS carrier_id, carrier_hex, uid" + bytes +
           " AS uid, set_name, job, station, reserved_at, finished_at,"
           " (SELECT MAX(version) FROM journal_schema) AS schema_version"
           " FROM cycles WHERE state = 'programmed' AND carrier_hex <> ''";
}

} // namespace

std::vector<std::string> historyStatements(Dialect dialect)
{
    const std::string view(kProgrammedCarriersView);
    if (dialect == Dialect::Sqlite)
        return {
            "CREATE INDEX IF NOT EXISTS cycles_by_shown_id ON cycles (carrier_id)",
            "CREATE INDEX IF NOT EXISTS cycles_by_hex_key ON cycles (carrier_hex)",
            // The UID's range: cycles_by_uid.
            "CREATE VIEW IF NOT EXISTS " + view + " AS " + programmedCarriersSelect(dialect),
        };
    return {
        // Made once; on a journal of millions of entries that takes longer
        // than a statement may otherwise (for the rest of this transaction only).
        "SET LOCAL statement_timeout = '10min'",
        "CREATE INDEX IF NOT EXISTS cycles_by_shown_id ON cycles (carrier_id COLLATE \"C\", id)",
        "CREATE INDEX IF NOT EXISTS cycles_by_hex_key ON cycles (carrier_hex COLLATE \"C\", id)",
        "CREATE INDEX IF NOT EXISTS cycles_by_uid_bytes ON cycles (uid COLLATE \"C\", id)",
        // A set's records are read in pages in the order of the entries.
        "CREATE INDEX IF NOT EXISTS cycles_programmed_in_order ON cycles (set_name, id) WHERE state = 'programmed'",
        // Made only when missing: replacing it at every connection would wait
        // for every reader of the view and hold every new one back meanwhile.
        "DO $$ BEGIN IF to_regclass('" + view + "') IS NULL THEN CREATE VIEW " + view + " AS " +
            programmedCarriersSelect(dialect) + "; END IF; END $$",
    };
}

} // namespace teb::journal_schema
