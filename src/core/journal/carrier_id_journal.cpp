#include "journal/carrier_id_journal.h"

#include "common/decimal_text.h"

#include "journal/journal_schema.h"
#include "journal/server_text.h"
#include "transponder/byte_text.h"

#include <soci/soci.h>
#include <soci/postgresql/soci-postgresql.h>
#include <soci/sqlite3/soci-sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace teb {

struct CarrierIdJournal::Session {
    soci::session sql;
    journal_schema::Dialect dialect = journal_schema::Dialect::Sqlite;

    // A server connection that failed is opened again before the next
    // statement; what it was doing then has failed and said so.
    void reconnectWhenLost()
    {
        if (dialect != journal_schema::Dialect::Postgres)
            return;
        auto *backend = static_cast<soci::postgresql_session_backend *>(sql.get_backend());
        if (backend != nullptr && PQstatus(backend->conn_) == CONNECTION_OK)
            return;
        sql.reconnect();
        limitStatementTime();
    }
    // No statement may hold the window (or a cycle) for long.
    void limitStatementTime()
    {
        if (dialect == journal_schema::Dialect::Postgres)
            sql << "SET statement_timeout = " << kStatementTimeoutMs;
    }

    static constexpr int kStatementTimeoutMs = 5000;
};

namespace {

constexpr std::string_view kColumns =
    "id, carrier_hex, set_name, source, position, csv_file, csv_row_hex, csv_delimiter, csv_marked,"
    " counter_page_value, counter_start, job, uid, state, reserved_at, finished_at, station, pages_hex, pages_locked";
constexpr std::size_t kNumericDigits = 18; // what a signed 64-bit column holds for certain

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

// How much a commit is worth: a durable one survives a power loss; a lazy
// one (what the files can tell again) is written without its own sync.
enum class Commit { Durable, Lazy };

// The carrier ID as a number when it is nothing but digits; the counter finds
// its IDs by it, whichever source issued them.
std::optional<long long> numericId(std::string_view carrierId)
{
    if (carrierId.size() > kNumericDigits)
        return std::nullopt;
    return readDigitsOnly<long long>(carrierId);
}

// Writes the entry as it stands; returns its id.
long long insertEntry(soci::session &sql, const JournalEntry &entry, bool holdsCarrierId = true)
{
    const std::optional<long long> number = numericId(entry.carrierId);
    std::string key = carrierKey(entry.carrierId);
    const std::string hex = key;
    const std::string shown = entry.shownCarrierId();
    const std::string rowHex = carrierKey(entry.csvRow);
    const int length = static_cast<int>(entry.carrierId.size());
    soci::indicator keyIndicator = entry.carrierId.empty() || !holdsCarrierId ? soci::i_null : soci::i_ok;
    soci::indicator numberIndicator = number ? soci::i_ok : soci::i_null;
    long long numberValue = number.value_or(0);
    const int marked = entry.csvMarked ? 1 : 0;
    const long long job = entry.job;
    const std::string state(stateName(entry.state));
    long long id = 0;
    sql << "INSERT INTO cycles (carrier_key, carrier_hex, carrier_id, numeric_id, id_length, set_name, source, position,"
           " csv_file, csv_row_hex, csv_delimiter, csv_marked, counter_page_value, counter_start, job, uid,"
           " state, reserved_at, finished_at, station, pages_hex, pages_locked) VALUES (:key, :hex, :shown, :number, :length, :setName, :source,"
           " :position, :csvFile, :csvRow, :delimiter, :marked, :counterPage, :counterStart, :job, :uid,"
           " :state, :reservedAt, :finishedAt, :station, :pagesHex, :pagesLocked) RETURNING id",
        soci::use(key, keyIndicator), soci::use(hex), soci::use(shown), soci::use(numberValue, numberIndicator), soci::use(length),
        soci::use(entry.setName), soci::use(entry.source), soci::use(entry.position), soci::use(entry.csvFile),
        soci::use(rowHex), soci::use(entry.csvDelimiter), soci::use(marked), soci::use(entry.counterPageValue),
        soci::use(entry.counterStart), soci::use(job), soci::use(entry.uid), soci::use(state),
        soci::use(entry.reservedAt), soci::use(entry.finishedAt), soci::use(entry.station), soci::use(entry.pagesHex),
        soci::use(entry.pagesLocked), soci::into(id);
    return id;
}

// Some paths (an insert that returns its id) report a refused second holder
// only in their text.
bool isUniqueViolation(const soci::soci_error &error)
{
    const std::string text = error.get_error_message();
    return text.find("UNIQUE constraint") != std::string::npos || text.find("unique constraint") != std::string::npos;
}

// Two stations meeting a new server at once: one creates, the other waits.
constexpr long long kSchemaLock = 0x7465622d6a726e; // "teb-jrn"

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
    transaction.commit();
}

// SQLite only: a server's commits are as durable as it is set up to make them.
void setSynchronous(soci::session &sql, journal_schema::Dialect dialect, Commit commit)
{
    if (dialect == journal_schema::Dialect::Sqlite)
        sql << (commit == Commit::Durable ? "PRAGMA synchronous=FULL" : "PRAGMA synchronous=NORMAL");
}

} // namespace

std::filesystem::path journalFilePath(const std::filesystem::path &directory) { return directory / kJournalFileName; }

std::string CarrierIdJournal::localTimeText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

CarrierIdJournal::CarrierIdJournal(std::unique_ptr<Session> session, std::string location, std::string station,
                                   Clock clock)
    : m_session(std::move(session)), m_location(std::move(location)), m_station(std::move(station)),
      m_clock(std::move(clock))
{
}

CarrierIdJournal::~CarrierIdJournal() = default;

std::unique_ptr<CarrierIdJournal> CarrierIdJournal::openFile(const std::filesystem::path &file, std::string station,
                                                             Clock clock)
{
    const std::string location = file.string();
    try {
        if (std::filesystem::is_directory(file))
            throw JournalError("a folder stands in its place");
        auto session = std::make_unique<Session>();
        // Quoted, so that blanks in the path stay part of it.
        session->sql.open(*soci::factory_sqlite3(), "db=\"" + location + "\" timeout=5");
        std::string mode;
        session->sql << "PRAGMA journal_mode=WAL", soci::into(mode);
        setSynchronous(session->sql, session->dialect, Commit::Durable);
        std::string integrity;
        session->sql << "PRAGMA quick_check", soci::into(integrity);
        if (integrity != "ok")
            throw JournalError("it is damaged (" + integrity + ")");
        createSchema(session->sql, session->dialect);
        return std::unique_ptr<CarrierIdJournal>(
            new CarrierIdJournal(std::move(session), location, std::move(station), std::move(clock)));
    } catch (const std::exception &error) {
        throw JournalError("The carrier-ID journal " + location + " cannot be opened: " + error.what());
    }
}

std::unique_ptr<CarrierIdJournal> CarrierIdJournal::openServer(const std::string &connection, std::string station,
                                                               Clock clock)
{
    const std::string location = "on the server " + serverWithoutPassword(connection);
    try {
        auto session = std::make_unique<Session>();
        session->dialect = journal_schema::Dialect::Postgres;
        ::setenv("PGCONNECT_TIMEOUT", "5", 0); // an unreachable server answers within seconds
        session->sql.open(*soci::factory_postgresql(), connection);
        session->limitStatementTime();
        createSchema(session->sql, session->dialect);
        return std::unique_ptr<CarrierIdJournal>(
            new CarrierIdJournal(std::move(session), location, std::move(station), std::move(clock)));
    } catch (const std::exception &error) {
        throw JournalError("The carrier-ID journal " + location + " cannot be opened: " + withoutPassword(error.what(), connection));
    }
}

// Runs one piece of work on the journal; any failure becomes a JournalError
// that names the journal, a refused second holder of a carrier ID a
// CarrierIdTaken.
template <typename Work>
auto CarrierIdJournal::guarded(std::string_view what, Work work)
{
    try {
        m_session->reconnectWhenLost();
        return work(m_session->sql);
    } catch (const JournalError &) {
        throw;
    } catch (const soci::soci_error &error) {
        if (error.get_error_category() == soci::soci_error::constraint_violation || isUniqueViolation(error))
            throw CarrierIdTaken("The carrier-ID journal " + m_location + " already holds this carrier ID.");
        throw JournalError("The carrier-ID journal " + m_location + " could not " + std::string(what) + ": " +
                           error.get_error_message());
    } catch (const std::exception &error) {
        throw JournalError("The carrier-ID journal " + m_location + " could not " + std::string(what) + ": " +
                           error.what());
    }
}

JournalEntry CarrierIdJournal::reserve(JournalEntry entry)
{
    entry.state = CycleState::Reserved;
    entry.reservedAt = m_clock();
    entry.finishedAt.clear();
    entry.station = m_station;
    // One statement, committed on its own: one round trip to a server.
    return guarded("write the reservation", [&](soci::session &sql) {
        entry.id = insertEntry(sql, entry);
        return entry;
    });
}

void CarrierIdJournal::finish(std::int64_t id, CycleState state)
{
    guarded("write the end of the cycle", [&](soci::session &sql) {
        const std::string name(stateName(state));
        const std::string at = m_clock();
        const long long entryId = id;
        sql << "UPDATE cycles SET state = :state, finished_at = :at WHERE id = :id", soci::use(name), soci::use(at),
            soci::use(entryId);
    });
}

void CarrierIdJournal::markCsvRow(std::int64_t id)
{
    guarded("note the CSV mark", [&](soci::session &sql) {
        const long long entryId = id;
        setSynchronous(sql, m_session->dialect, Commit::Lazy);
        sql << "UPDATE cycles SET csv_marked = 1 WHERE id = :id", soci::use(entryId);
        setSynchronous(sql, m_session->dialect, Commit::Durable);
    });
}

std::optional<JournalEntry> CarrierIdJournal::holderOf(std::string_view carrierId)
{
    return guarded("be read", [&](soci::session &sql) -> std::optional<JournalEntry> {
        const std::string key = carrierKey(carrierId);
        if (auto holder = firstOf(entriesOf((sql.prepare << "SELECT " << kColumns
                                                          << " FROM cycles WHERE carrier_key = :key AND state <> 'failed'",
                                             soci::use(key)))))
            return holder;
        const std::optional<long long> number = numericId(carrierId);
        if (!number)
            return std::nullopt;
        // Issued before the journal: the range a progress file had reached.
        const int length = static_cast<int>(carrierId.size());
        std::string setName;
        std::string file;
        sql << "SELECT set_name, taken_from FROM issued_ranges WHERE id_length = :length AND first_value <= :low"
               " AND last_value >= :high",
            soci::use(length), soci::use(*number), soci::use(*number), soci::into(setName), soci::into(file);
        if (!sql.got_data())
            return std::nullopt;
        JournalEntry taken;
        taken.carrierId = std::string(carrierId);
        taken.setName = setName;
        taken.source = "taken over from " + file;
        taken.state = CycleState::Programmed;
        taken.reservedAt = "an unknown time";
        return taken;
    });
}

std::optional<JournalEntry> CarrierIdJournal::programmedFor(std::string_view uid) { return historyOf(uid).programmed; }

std::optional<JournalEntry> CarrierIdJournal::unfinishedFor(std::string_view uid) { return historyOf(uid).unfinished; }

TransponderHistory CarrierIdJournal::historyOf(std::string_view uid)
{
    return guarded("be read", [&](soci::session &sql) {
        const std::string text(uid);
        TransponderHistory history;
        for (JournalEntry &entry : entriesOf((sql.prepare << "SELECT " << kColumns
                                                          << " FROM cycles WHERE uid = :uid AND state <> 'failed'"
                                                             " ORDER BY id DESC",
                                              soci::use(text)))) {
            auto &slot = entry.state == CycleState::Programmed ? history.programmed : history.unfinished;
            if (!slot)
                slot = std::move(entry);
        }
        return history;
    });
}

std::vector<JournalEntry> CarrierIdJournal::unfinished()
{
    return guarded("be read", [&](soci::session &sql) {
        return entriesOf((sql.prepare << "SELECT " << kColumns
                                     << " FROM cycles WHERE state IN ('reserved', 'uncertain') ORDER BY id"));
    });
}

std::vector<JournalEntry> CarrierIdJournal::closeInterruptedCycles()
{
    return guarded("close the interrupted cycles", [&](soci::session &sql) {
        std::vector<JournalEntry> interrupted = entriesOf((sql.prepare << "SELECT " << kColumns
                                  << " FROM cycles WHERE state = 'reserved' AND station = :station ORDER BY id",
                                  soci::use(m_station)));
        if (interrupted.empty())
            return interrupted;
        soci::transaction transaction(sql);
        sql << "UPDATE cycles SET state = 'uncertain' WHERE state = 'reserved' AND station = :station",
            soci::use(m_station);
        transaction.commit();
        for (JournalEntry &entry : interrupted)
            entry.state = CycleState::Uncertain;
        return interrupted;
    });
}

std::uint64_t CarrierIdJournal::firstFreeNumber(std::uint64_t from, std::size_t length)
{
    return guarded("be read", [&](soci::session &sql) {
        if (length > kNumericDigits)
            return from; // longer IDs are never counted: the holder check decides
        const int idLength = static_cast<int>(length);
        long long value = static_cast<long long>(from);
        for (;;) {
            const long long before = value;
            long long rangeEnd = 0;
            soci::indicator rangeIndicator = soci::i_null;
            sql << "SELECT MAX(last_value) FROM issued_ranges WHERE id_length = :length AND first_value <= :low"
                   " AND last_value >= :high",
                soci::use(idLength), soci::use(value), soci::use(value), soci::into(rangeEnd, rangeIndicator);
            if (rangeIndicator == soci::i_ok)
                value = rangeEnd + 1;
            soci::rowset<long long> taken = (sql.prepare << "SELECT numeric_id FROM cycles WHERE id_length = :length"
                                                            " AND numeric_id >= :v AND state <> 'failed'"
                                                            " ORDER BY numeric_id LIMIT 1000",
                                             soci::use(idLength), soci::use(value));
            for (const long long number : taken) {
                if (number > value)
                    break;
                value = number + 1;
            }
            if (value == before)
                return static_cast<std::uint64_t>(value);
        }
    });
}

std::optional<std::string> CarrierIdJournal::lastCounterPageValue(std::string_view setName,
                                                                  std::string_view counterStart)
{
    return guarded("be read", [&](soci::session &sql) -> std::optional<std::string> {
        const std::string set(setName);
        const std::string start(counterStart);
        std::string value;
        sql << "SELECT counter_page_value FROM cycles WHERE set_name = :set AND counter_start = :start"
               " AND counter_page_value <> '' AND state <> 'failed' ORDER BY id DESC LIMIT 1",
            soci::use(set), soci::use(start), soci::into(value);
        if (sql.got_data())
            return value;
        sql << "SELECT last_value FROM counter_pages_taken_over WHERE set_name = :set AND counter_start = :start",
            soci::use(set), soci::use(start), soci::into(value);
        if (sql.got_data())
            return value;
        return std::nullopt;
    });
}

std::int64_t CarrierIdJournal::currentJob(std::string_view setName)
{
    return guarded("be read", [&](soci::session &sql) -> std::int64_t {
        const std::string set(setName);
        long long job = 0;
        soci::indicator indicator = soci::i_null;
        sql << "SELECT MAX(job) FROM jobs WHERE set_name = :set", soci::use(set), soci::into(job, indicator);
        return indicator == soci::i_ok ? job : 0;
    });
}

std::int64_t CarrierIdJournal::startJob(std::string_view setName)
{
    const std::int64_t job = currentJob(setName) + 1;
    guarded("start a new job", [&](soci::session &sql) {
        const std::string set(setName);
        const long long number = job;
        const std::string at = m_clock();
        soci::transaction transaction(sql);
        sql << "INSERT INTO jobs (set_name, job, started_at) VALUES (:set, :job, :at)", soci::use(set),
            soci::use(number), soci::use(at);
        transaction.commit();
    });
    return job;
}

std::uint64_t CarrierIdJournal::fixedDataCount(std::string_view setName, std::int64_t job)
{
    return guarded("be read", [&](soci::session &sql) -> std::uint64_t {
        const std::string set(setName);
        const std::string source(journal_source::fixData);
        const long long number = job;
        long long count = 0;
        sql << "SELECT COUNT(*) FROM cycles WHERE set_name = :set AND source = :source AND job = :job"
               " AND state <> 'failed'",
            soci::use(set), soci::use(source), soci::use(number), soci::into(count);
        return static_cast<std::uint64_t>(count);
    });
}

std::vector<JournalEntry> CarrierIdJournal::unmarkedCsvRows()
{
    return guarded("be read", [&](soci::session &sql) {
        return entriesOf((sql.prepare << "SELECT " << kColumns
                                     << " FROM cycles WHERE state = 'programmed' AND csv_file <> ''"
                                        " AND csv_marked = 0 ORDER BY id"));
    });
}

std::vector<JournalEntry> CarrierIdJournal::programmedOfSet(std::string_view setName)
{
    return guarded("be read", [&](soci::session &sql) {
        const std::string set(setName);
        return entriesOf((sql.prepare << "SELECT " << kColumns
                                      << " FROM cycles WHERE set_name = :set AND state = 'programmed' ORDER BY id",
                          soci::use(set)));
    });
}

std::vector<JournalEntry> CarrierIdJournal::history(std::string_view search, std::size_t limit)
{
    return guarded("be read", [&](soci::session &sql) {
        const std::string pattern = "%" + std::string(search) + "%";
        const std::string key = "%" + carrierKey(search) + "%";
        const long long rows = static_cast<long long>(limit);
        return entriesOf((sql.prepare << "SELECT " << kColumns
                                     << " FROM cycles WHERE carrier_id LIKE :pattern OR uid LIKE :uidPattern"
                                        " OR carrier_hex LIKE :key ORDER BY id DESC LIMIT :rows",
                         soci::use(pattern), soci::use(pattern), soci::use(key), soci::use(rows)));
    });
}

bool CarrierIdJournal::wasTakenOver(const std::string &file)
{
    return guarded("be read", [&](soci::session &sql) {
        int count = 0;
        sql << "SELECT COUNT(*) FROM taken_over WHERE file = :file", soci::use(file), soci::into(count);
        return count > 0;
    });
}

void CarrierIdJournal::takeOverProgress(const TakenOverProgress &progress, const std::string &file)
{
    guarded("take over " + file, [&](soci::session &sql) {
        const int idLength = static_cast<int>(progress.length);
        const long long low = static_cast<long long>(progress.first);
        const long long high = static_cast<long long>(progress.last);
        const std::string at = m_clock();
        soci::transaction transaction(sql);
        if (low <= high)
            sql << "INSERT INTO issued_ranges (id_length, first_value, last_value, set_name, taken_from)"
                   " VALUES (:length, :low, :high, :setName, :file)",
                soci::use(idLength), soci::use(low), soci::use(high), soci::use(progress.setName), soci::use(file);
        if (!progress.lastCounterPageValue.empty())
            sql << "INSERT INTO counter_pages_taken_over (set_name, counter_start, last_value)"
                   " VALUES (:setName, :start, :last)",
                soci::use(progress.setName), soci::use(progress.counterStart), soci::use(progress.lastCounterPageValue);
        sql << "INSERT INTO taken_over (file, taken_at) VALUES (:file, :at)", soci::use(file), soci::use(at);
        transaction.commit();
    });
}

void CarrierIdJournal::recordManualWrite(JournalEntry entry, bool shared)
{
    entry.state = CycleState::Programmed;
    entry.source = std::string(journal_source::manual);
    entry.reservedAt = entry.finishedAt = m_clock();
    entry.station = m_station;
    guarded("note the written carrier ID", [&](soci::session &sql) {
        soci::transaction transaction(sql);
        insertEntry(sql, entry, !shared);
        transaction.commit();
    });
}

void CarrierIdJournal::takeOverEntry(JournalEntry entry, const std::string &file)
{
    entry.state = CycleState::Programmed;
    entry.reservedAt = entry.finishedAt = m_clock();
    entry.station = m_station;
    guarded("take over " + file, [&](soci::session &sql) {
        soci::transaction transaction(sql);
        insertEntry(sql, entry);
        sql << "INSERT INTO taken_over (file, taken_at) VALUES (:file, :at)", soci::use(file),
            soci::use(entry.reservedAt);
        transaction.commit();
    });
}

} // namespace teb
