#include "journal/history_query.h"

#include "journal/journal_store.h"
#include "journal/search_ranges.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <string>
#include <vector>

namespace teb::journal_store {
namespace {

using journal_schema::Dialect;

// An SQL text and the texts it binds, in their order. The numbers in it
// (ids, row counts) are the journal's own and go into the text.
class Statement {
public:
    Statement &operator<<(std::string_view text)
    {
        m_text += text;
        return *this;
    }
    Statement &bind(const std::string &value)
    {
        m_text += ":v" + std::to_string(m_values.size());
        m_values.push_back(value);
        return *this;
    }
    soci::rowset<soci::row> rows(soci::session &sql)
    {
        return soci::rowset<soci::row>(prepared(sql));
    }
    std::uint64_t count(soci::session &sql)
    {
        long long count = 0;
        soci::details::prepare_temp_type query = prepared(sql);
        query, soci::into(count);
        soci::statement(query).execute(true);
        return static_cast<std::uint64_t>(count);
    }

private:
    soci::details::prepare_temp_type prepared(soci::session &sql)
    {
        soci::details::prepare_temp_type query = (sql.prepare << m_text);
        for (std::string &value : m_values)
            query, soci::use(value);
        return query;
    }

    std::string m_text;
    std::deque<std::string> m_values; // bound by reference: never moved
};

// The column as the range compares it: PostgreSQL compares text by its
// locale unless told to compare bytes, as SQLite does and the indexes are made.
std::string keyOf(const SearchRange &range, Dialect dialect)
{
    return dialect == Dialect::Postgres ? range.column + " COLLATE \"C\"" : range.column;
}

void inRange(Statement &statement, const SearchRange &range, Dialect dialect)
{
    const std::string key = keyOf(range, dialect);
    statement << key << " >= ";
    statement.bind(range.low);
    if (range.high) {
        statement << " AND " << key << " < ";
        statement.bind(*range.high);
    }
}

// After the cursor, in the order a part is read (largest key first, newest
// first within a key). The cursor's key is the range's upper bound: SQLite
// takes one upper bound for an index's range, and it must be this one, so
// that a page far back starts where it starts rather than at the range's end.
void fromCursor(Statement &statement, const SearchRange &range, const HistoryCursor &cursor, Dialect dialect)
{
    const std::string key = keyOf(range, dialect);
    statement << key << " >= ";
    statement.bind(range.low);
    statement << " AND " << key << " <= ";
    statement.bind(cursor.key);
    statement << " AND (" << key << " < ";
    statement.bind(cursor.key);
    statement << " OR id < " << std::to_string(cursor.id) << ")";
}

// The entries of a part from its start or its cursor on: in its range, in
// none of the ranges before it.
void partCondition(Statement &statement, const std::vector<SearchRange> &ranges, const HistoryCursor &from,
                   Dialect dialect)
{
    statement << "(";
    if (from.id == 0)
        inRange(statement, ranges[from.part], dialect);
    else
        fromCursor(statement, ranges[from.part], from, dialect);
    statement << ")";
    for (std::size_t earlier = 0; earlier < from.part; ++earlier) {
        statement << " AND NOT (";
        inRange(statement, ranges[earlier], dialect);
        statement << ")";
    }
}

// A row count as the text of a LIMIT (a signed 64-bit number in both databases).
std::string limitOf(std::uint64_t rows)
{
    return std::to_string(std::min<std::uint64_t>(rows, std::numeric_limits<std::int64_t>::max()));
}

struct Listed {
    JournalEntry entry;
    HistoryCursor at; // a page that starts after it
};

std::vector<Listed> readWholeJournal(soci::session &sql, const HistoryCursor &from, std::size_t rows)
{
    Statement statement;
    statement << "SELECT " << kColumns << " FROM cycles";
    if (from.id != 0)
        statement << " WHERE id < " << std::to_string(from.id);
    statement << " ORDER BY id DESC LIMIT " << limitOf(rows);
    std::vector<Listed> listed;
    for (const soci::row &row : statement.rows(sql)) {
        JournalEntry entry = entryOf(row);
        const HistoryCursor at{0, {}, entry.id};
        listed.push_back({std::move(entry), at});
    }
    return listed;
}

std::vector<Listed> readPart(soci::session &sql, Dialect dialect, const std::vector<SearchRange> &ranges,
                             const HistoryCursor &from, std::size_t rows)
{
    const SearchRange &range = ranges[from.part];
    const std::string key = keyOf(range, dialect);
    Statement statement;
    statement << "SELECT " << kColumns << ", " << range.column << " FROM cycles WHERE ";
    partCondition(statement, ranges, from, dialect);
    statement << " ORDER BY " << key << " DESC, id DESC LIMIT " << limitOf(rows);
    std::vector<Listed> listed;
    const auto keyColumn = static_cast<std::size_t>(std::count(kColumns.begin(), kColumns.end(), ',') + 1);
    for (const soci::row &row : statement.rows(sql)) {
        JournalEntry entry = entryOf(row);
        const HistoryCursor at{from.part, row.get<std::string>(keyColumn), entry.id};
        listed.push_back({std::move(entry), at});
    }
    return listed;
}

} // namespace

HistoryPage historyPage(soci::session &sql, Dialect dialect, std::string_view search, const HistoryCursor &from,
                        std::size_t rows)
{
    const std::vector<SearchRange> ranges = searchRanges(search);
    // One row more than the page shows tells whether another page follows.
    std::vector<Listed> listed;
    if (ranges.empty()) {
        listed = readWholeJournal(sql, from, rows + 1);
    } else {
        for (std::size_t part = from.part; part < ranges.size() && listed.size() <= rows; ++part) {
            const HistoryCursor start = part == from.part ? from : HistoryCursor{part, {}, 0};
            for (Listed &more : readPart(sql, dialect, ranges, start, rows + 1 - listed.size()))
                listed.push_back(std::move(more));
        }
    }
    HistoryPage page;
    if (listed.size() > rows) {
        listed.resize(rows);
        page.next = listed.back().at;
    }
    for (Listed &shown : listed)
        page.entries.push_back(std::move(shown.entry));
    return page;
}

std::uint64_t historyCount(soci::session &sql, Dialect dialect, std::string_view search, std::uint64_t cap)
{
    const std::vector<SearchRange> ranges = searchRanges(search);
    if (ranges.empty()) {
        Statement matches;
        matches << "SELECT COUNT(*) FROM (SELECT 1 FROM cycles LIMIT " << limitOf(cap) << ") AS matches";
        return matches.count(sql);
    }
    std::uint64_t count = 0;
    for (std::size_t part = 0; part < ranges.size() && count < cap; ++part) {
        Statement matches;
        matches << "SELECT COUNT(*) FROM (SELECT 1 FROM cycles WHERE ";
        partCondition(matches, ranges, HistoryCursor{part, {}, 0}, dialect);
        matches << " LIMIT " << limitOf(cap - count) << ") AS matches";
        count += matches.count(sql);
    }
    return count;
}

} // namespace teb::journal_store
