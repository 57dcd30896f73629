#include "journal/journal_store.h"

#include "common/decimal_text.h"
#include "journal/first_free.h"
#include "journal/schema_upgrades.h"
#include "transponder/byte_text.h"

namespace teb::journal_store {

const std::string_view kColumns =
    "id, carrier_hex, set_name, source, position, csv_file, csv_row_hex, csv_delimiter, csv_marked,"
    " counter_page_value, counter_start, job, uid, state, reserved_at, finished_at, station, pages_hex, pages_locked";

const std::string_view kInsertedColumns =
    "carrier_key, pages_key, carrier_hex, carrier_id, numeric_id, id_length, set_name, source, position,"
    " csv_file, csv_row_hex, csv_delimiter, csv_marked, counter_page_value, counter_start, job, uid,"
    " state, reserved_at, finished_at, station, pages_hex, pages_locked";

namespace {

// The bytes of a key, every one of them (a carrier ID may hold 00).
std::string bytesOfKey(std::string_view key)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < key.size(); i += 2)
        bytes.push_back(static_cast<char>(byteFromHexDigits(key[i], key[i + 1])));
    return bytes;
}

long long integerAt(const soci::row &row, std::size_t i)
{
    if (row.get_indicator(i) == soci::i_null)
        return 0;
    switch (row.get_properties(i).get_data_type()) {
    case soci::dt_integer: return row.get<int>(i);
    case soci::dt_long_long: return row.get<long long>(i);
    case soci::dt_unsigned_long_long: return static_cast<long long>(row.get<unsigned long long>(i));
    case soci::dt_double: return static_cast<long long>(row.get<double>(i));
    case soci::dt_string: return readDigitsOnly<long long>(row.get<std::string>(i)).value_or(0);
    default: return 0;
    }
}

std::string textAt(const soci::row &row, std::size_t i)
{
    if (row.get_indicator(i) == soci::i_null)
        return {};
    if (row.get_properties(i).get_data_type() != soci::dt_string)
        return std::to_string(integerAt(row, i));
    return row.get<std::string>(i);
}

} // namespace

JournalEntry entryOf(const soci::row &row)
{
    JournalEntry entry;
    entry.id = integerAt(row, 0);
    entry.carrierId = bytesOfKey(textAt(row, 1));
    entry.setName = textAt(row, 2);
    entry.source = textAt(row, 3);
    entry.position = textAt(row, 4);
    entry.csvFile = textAt(row, 5);
    entry.csvRow = bytesOfKey(textAt(row, 6));
    entry.csvDelimiter = textAt(row, 7);
    entry.csvMarked = integerAt(row, 8) != 0;
    entry.counterPageValue = textAt(row, 9);
    entry.counterStart = textAt(row, 10);
    entry.job = integerAt(row, 11);
    entry.uid = textAt(row, 12);
    entry.state = stateNamed(textAt(row, 13)).value_or(CycleState::Uncertain);
    entry.reservedAt = textAt(row, 14);
    entry.finishedAt = textAt(row, 15);
    entry.station = textAt(row, 16);
    entry.pagesHex = textAt(row, 17);
    entry.pagesLocked = textAt(row, 18);
    return entry;
}

std::vector<JournalEntry> entriesOf(soci::rowset<soci::row> rows)
{
    std::vector<JournalEntry> entries;
    for (const soci::row &row : rows)
        entries.push_back(entryOf(row));
    return entries;
}

std::optional<JournalEntry> firstOf(std::vector<JournalEntry> entries)
{
    if (entries.empty())
        return std::nullopt;
    return std::move(entries.front());
}

std::optional<long long> numericId(std::string_view carrierId)
{
    if (carrierId.size() > kNumericDigits)
        return std::nullopt;
    return readDigitsOnly<long long>(carrierId);
}

StoredRow storedRowOf(const JournalEntry &entry, bool holdsCarrierId)
{
    StoredRow row;
    row.carrierKey = carrierKey(entry.carrierId);
    row.holdsCarrierId = !entry.carrierId.empty() && holdsCarrierId;
    row.pagesKey = row.holdsCarrierId ? pagesKey(entry.pagesHex) : std::nullopt;
    row.shownCarrierId = entry.shownCarrierId();
    row.numericId = numericId(entry.carrierId);
    row.idLength = static_cast<int>(entry.carrierId.size());
    row.csvRowHex = carrierKey(entry.csvRow);
    row.state = std::string(stateName(entry.state));
    return row;
}

long long insertEntry(soci::session &sql, const JournalEntry &entry, bool holdsCarrierId)
{
    const StoredRow row = storedRowOf(entry, holdsCarrierId);
    std::string key = row.carrierKey;
    soci::indicator keyIndicator = row.holdsCarrierId ? soci::i_ok : soci::i_null;
    std::string pagesValue = row.pagesKey.value_or("");
    soci::indicator pagesIndicator = row.pagesKey ? soci::i_ok : soci::i_null;
    soci::indicator numberIndicator = row.numericId ? soci::i_ok : soci::i_null;
    long long numberValue = row.numericId.value_or(0);
    const int marked = entry.csvMarked ? 1 : 0;
    const long long job = entry.job;
    // SQLite commits an INSERT ... RETURNING only when the statement is reset,
    // after its row was read, and a commit that fails there (a full disk, an
    // I/O error) is not reported: the reservation would look written. So on
    // SQLite the INSERT runs to its end and the id is asked for after it.
    const bool sqlite = sql.get_backend_name() == "sqlite3";
    long long id = 0;
    soci::details::prepare_temp_type insert = (sql.prepare << "INSERT INTO cycles (" << kInsertedColumns << ") VALUES (:key, :pages, :hex, :shown, :number, :length, :setName, :source,"
           " :position, :csvFile, :csvRow, :delimiter, :marked, :counterPage, :counterStart, :job, :uid,"
           " :state, :reservedAt, :finishedAt, :station, :pagesHex, :pagesLocked)" << (sqlite ? "" : " RETURNING id"),
        soci::use(key, keyIndicator), soci::use(pagesValue, pagesIndicator), soci::use(row.carrierKey), soci::use(row.shownCarrierId),
        soci::use(numberValue, numberIndicator), soci::use(row.idLength),
        soci::use(entry.setName), soci::use(entry.source), soci::use(entry.position), soci::use(entry.csvFile),
        soci::use(row.csvRowHex), soci::use(entry.csvDelimiter), soci::use(marked), soci::use(entry.counterPageValue),
        soci::use(entry.counterStart), soci::use(job), soci::use(entry.uid), soci::use(row.state),
        soci::use(entry.reservedAt), soci::use(entry.finishedAt), soci::use(entry.station), soci::use(entry.pagesHex),
        soci::use(entry.pagesLocked));
    if (!sqlite)
        insert, soci::into(id);
    soci::statement(insert).execute(true);
    if (sqlite)
        sql << "SELECT last_insert_rowid()", soci::into(id);
    return id;
}

bool isUniqueViolation(const soci::soci_error &error)
{
    const std::string text = error.get_error_message();
    return text.find("UNIQUE constraint") != std::string::npos || text.find("unique constraint") != std::string::npos;
}

bool isPagesViolation(const soci::soci_error &error)
{
    const std::string text = error.get_error_message();
    return text.find("pages_key") != std::string::npos || text.find("one_transponder_per_pages") != std::string::npos;
}

namespace {
// Two stations meeting a new server at once: one creates, the other waits.
constexpr long long kSchemaLock = 0x7465622d6a726e; // "teb-jrn"
} // namespace

void createSchema(soci::session &sql, journal_schema::Dialect dialect)
{
    soci::transaction transaction(sql);
    if (dialect == journal_schema::Dialect::Postgres)
        sql << "SELECT pg_advisory_xact_lock(" << kSchemaLock << ")";
    for (const std::string &statement : journal_schema::creationStatements(dialect))
        sql << statement;
    int versions = 0;
    int version = 0;
    soci::indicator versionIndicator = soci::i_null;
    sql << "SELECT COUNT(*), MAX(version) FROM journal_schema", soci::into(versions), soci::into(version, versionIndicator);
    if (versions == 0)
        sql << "INSERT INTO journal_schema (version) VALUES (:v)", soci::use(journal_schema::kVersion);
    else if (versionIndicator == soci::i_ok && version > journal_schema::kVersion)
        throw JournalError("its schema version " + std::to_string(version) +
                           " is newer than this station knows (" + std::to_string(journal_schema::kVersion) +
                           "); a newer station version wrote it");
    ensurePagesKey(sql, dialect);
    ensureRecordedFlag(sql, dialect);
    ensureRunningSums(sql, dialect);
    for (const std::string &statement : journal_schema::historyStatements(dialect))
        sql << statement;
    if (dialect == journal_schema::Dialect::Postgres)
        sql << std::string(kReserveFirstFree);
    const int current = journal_schema::kVersion;
    sql << "UPDATE journal_schema SET version = :current WHERE version < :older", soci::use(current), soci::use(current);
    transaction.commit();
}

void setSynchronous(soci::session &sql, journal_schema::Dialect dialect, Commit commit)
{
    if (dialect == journal_schema::Dialect::Sqlite)
        sql << (commit == Commit::Durable ? "PRAGMA synchronous=FULL" : "PRAGMA synchronous=NORMAL");
}

} // namespace teb::journal_store
