#include "journal/schema_upgrades.h"

#include "journal/journal_entry.h"

#include <set>
#include <string>
#include <vector>

namespace teb::journal_store {
namespace {

bool hasColumn(soci::session &sql, journal_schema::Dialect dialect, const std::string &column)
{
    int count = 0;
    if (dialect == journal_schema::Dialect::Sqlite)
        sql << "SELECT COUNT(*) FROM pragma_table_info('cycles') WHERE name = :column", soci::use(column),
            soci::into(count);
    else
        sql << "SELECT COUNT(*) FROM information_schema.columns WHERE table_schema = current_schema()"
               " AND table_name = 'cycles' AND column_name = :column",
            soci::use(column), soci::into(count);
    return count > 0;
}

long long idOf(const soci::row &row)
{
    switch (row.get_properties(0).get_data_type()) {
    case soci::dt_integer: return row.get<int>(0);
    case soci::dt_unsigned_long_long: return static_cast<long long>(row.get<unsigned long long>(0));
    default: return row.get<long long>(0);
    }
}

// The entries that hold a carrier ID get the key of the pages they wrote.
// Where the fault this key mends had already put the same pages onto two
// transponders, the oldest entry keeps the key: both tags are out there and
// nothing here can change that, while refusing the journal would stop the
// station; the newer entry still holds its own carrier ID.
void fillPagesKeys(soci::session &sql)
{
    std::vector<long long> ids;
    std::vector<std::string> keys;
    std::set<std::string> held;
    soci::rowset<soci::row> rows = (sql.prepare << "SELECT id, pages_hex, state FROM cycles"
                                                   " WHERE carrier_key IS NOT NULL ORDER BY id");
    for (const soci::row &row : rows) {
        const auto key = pagesKey(row.get<std::string>(1));
        if (!key)
            continue;
        const bool holds = row.get<std::string>(2) != stateName(CycleState::Failed);
        if (holds && !held.insert(*key).second)
            continue;
        ids.push_back(idOf(row));
        keys.push_back(*key);
    }
    if (!ids.empty())
        sql << "UPDATE cycles SET pages_key = :key WHERE id = :id", soci::use(keys), soci::use(ids);
}

} // namespace

void ensurePagesKey(soci::session &sql, journal_schema::Dialect dialect)
{
    if (!hasColumn(sql, dialect, "pages_key")) {
        sql << "ALTER TABLE cycles ADD COLUMN pages_key TEXT";
        fillPagesKeys(sql);
    }
    sql << std::string(journal_schema::kPagesKeyIndex);
}

// Entries programmed before the flag existed count as recorded: their
// records were written, or their loss was never noticed before either.
void ensureRecordedFlag(soci::session &sql, journal_schema::Dialect dialect)
{
    if (!hasColumn(sql, dialect, "recorded"))
        sql << "ALTER TABLE cycles ADD COLUMN recorded INTEGER NOT NULL DEFAULT 1";
    sql << std::string(journal_schema::kUnrecordedIndex);
}

void ensureRunningSums(soci::session &sql, journal_schema::Dialect dialect)
{
    if (dialect != journal_schema::Dialect::Sqlite)
        return;
    int existing = 0;
    sql << "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = 'held_blocks'", soci::into(existing);
    for (const std::string &statement : journal_schema::runningSumStatements())
        sql << statement;
    if (existing == 0)
        for (const std::string &statement : journal_schema::runningSumFillStatements())
            sql << statement;
}

} // namespace teb::journal_store
