#include "journal/carrier_id_journal.h"

#include "common/decimal_text.h"

#include "journal/journal_schema.h"
#include "journal/journal_store.h"
#include "journal/server_text.h"

#include <soci/soci.h>
#include <soci/postgresql/soci-postgresql.h>
#include <soci/sqlite3/soci-sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace teb {

using namespace journal_store;

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
// CarrierIdTaken, of pages 1 and 2 a PagesTaken.
template <typename Work>
auto CarrierIdJournal::guarded(std::string_view what, Work work)
{
    try {
        m_session->reconnectWhenLost();
        return work(m_session->sql);
    } catch (const JournalError &) {
        throw;
    } catch (const soci::soci_error &error) {
        const bool refused = error.get_error_category() == soci::soci_error::constraint_violation || isUniqueViolation(error);
        if (refused && isPagesViolation(error))
            throw PagesTaken("The carrier-ID journal " + m_location +
                             " already holds a transponder with these bytes in pages 1 and 2.");
        if (refused)
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
    return holderOf(carrierId, {});
}

std::optional<JournalEntry> CarrierIdJournal::holderOf(std::string_view carrierId, std::string_view pagesHex)
{
    return guarded("be read", [&](soci::session &sql) -> std::optional<JournalEntry> {
        const std::string key = carrierKey(carrierId);
        const std::optional<std::string> pages = pagesKey(pagesHex);
        // Both in one question: the data sources ask it for row after row.
        if (auto holder = pages ? firstOf(entriesOf((sql.prepare << "SELECT " << kColumns
                                                                 << " FROM cycles WHERE (carrier_key = :key OR"
                                                                    " pages_key = :pages) AND state <> 'failed'",
                                                    soci::use(key), soci::use(*pages))))
                                : firstOf(entriesOf((sql.prepare << "SELECT " << kColumns
                                                                 << " FROM cycles WHERE carrier_key = :key"
                                                                    " AND state <> 'failed'",
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

std::optional<JournalEntry> CarrierIdJournal::holderOfPages(std::string_view pagesHex)
{
    const std::optional<std::string> key = pagesKey(pagesHex);
    if (!key)
        return std::nullopt;
    return guarded("be read", [&](soci::session &sql) {
        return firstOf(entriesOf((sql.prepare << "SELECT " << kColumns
                                              << " FROM cycles WHERE pages_key = :key AND state <> 'failed'",
                                  soci::use(*key))));
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
