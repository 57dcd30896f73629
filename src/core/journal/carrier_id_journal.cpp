#include "journal/carrier_id_journal.h"

#include "common/decimal_text.h"

#include "journal/first_free.h"
#include "journal/free_numbers.h"
#include "journal/history_query.h"
#include "journal/journal_schema.h"
#include "journal/journal_store.h"
#include "journal/new_journal_file.h"
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
    bool syncLowered = false; // a lazy commit could not raise it again

    // A server connection that failed is opened again before the next
    // statement; what it was doing then has failed and said so. A sync level
    // left lowered is raised first, so no durable commit goes out lazily.
    void reconnectWhenLost()
    {
        if (syncLowered) {
            setSynchronous(sql, dialect, Commit::Durable);
            syncLowered = false;
        }
        if (dialect != journal_schema::Dialect::Postgres)
            return;
        auto *backend = static_cast<soci::postgresql_session_backend *>(sql.get_backend());
        if (backend != nullptr && PQstatus(backend->conn_) == CONNECTION_OK)
            return;
        sql.reconnect();
        setUpConnection();
    }
    // No statement may hold the window (or a cycle) for long, and the
    // schema's "already exists, skipping" at every connection is no news.
    void setUpConnection()
    {
        if (dialect != journal_schema::Dialect::Postgres)
            return;
        sql << "SET statement_timeout = " << kStatementTimeoutMs;
        sql << "SET client_min_messages = warning";
    }

    static constexpr int kStatementTimeoutMs = 5000;
};

// SQLite's sync level lowered for one lazy commit and raised again on every
// way out; should raising fail, the next statement raises it first.
class LazyCommit {
public:
    explicit LazyCommit(CarrierIdJournal::Session &session) : m_session(session)
    {
        m_session.syncLowered = true;
        setSynchronous(m_session.sql, m_session.dialect, Commit::Lazy);
    }
    ~LazyCommit()
    {
        try {
            setSynchronous(m_session.sql, m_session.dialect, Commit::Durable);
            m_session.syncLowered = false;
        } catch (const std::exception &) {
            // left to Session::reconnectWhenLost
        }
    }
    LazyCommit(const LazyCommit &) = delete;
    LazyCommit &operator=(const LazyCommit &) = delete;

private:
    CarrierIdJournal::Session &m_session;
};

// PRAGMA synchronous: 2 is FULL, every commit synced.
constexpr int kSynchronousFull = 2;


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



namespace {

// "2026-12-07 10:00:00" -> 20261207; 0 when the clock's text is no date.
int dayNumber(const std::string &time)
{
    int day = 0;
    for (const char c : time.substr(0, 10)) {
        if (c == '-')
            continue;
        if (c < '0' || c > '9')
            return 0;
        day = day * 10 + (c - '0');
    }
    return day;
}

// A file that opens as a database but holds no journal (emptied, cut to
// nothing, another program's database) is damaged, never a new journal.
void requireJournalTables(soci::session &sql)
{
    int tables = 0;
    sql << "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name IN ('journal_schema', 'cycles')",
        soci::into(tables);
    if (tables != 2)
        throw JournalError("it holds no journal (it is empty or another database); only a missing file starts a new "
                           "journal. Restore it from a backup, or remove it to start an empty journal");
}

// quick_check reads the whole file; once a day is enough, since SQLite also
// reports any damaged page it meets. The day of the last check lives in the
// file's user_version.
void checkOnceADay(soci::session &sql, int today)
{
    int checkedOn = 0;
    sql << "PRAGMA user_version", soci::into(checkedOn);
    if (today != 0 && checkedOn == today)
        return;
    std::string integrity;
    sql << "PRAGMA quick_check", soci::into(integrity);
    if (integrity != "ok")
        throw JournalError("it is damaged (" + integrity + ")");
    sql << "PRAGMA user_version = " << today;
}

void openSqlite(soci::session &sql, const std::filesystem::path &file)
{
    // Quoted, so that blanks in the path stay part of it.
    sql.open(*soci::factory_sqlite3(), "db=\"" + file.string() + "\" timeout=5");
}

void makeNewJournal(const std::filesystem::path &file)
{
    placeNewJournalFile(file, [](const std::filesystem::path &temporary) {
        soci::session sql;
        openSqlite(sql, temporary);
        std::string mode;
        sql << "PRAGMA journal_mode=WAL", soci::into(mode);
        createSchema(sql, journal_schema::Dialect::Sqlite);
    }); // closing the session moved everything out of its WAL into the file
}

} // namespace

std::unique_ptr<CarrierIdJournal> CarrierIdJournal::openFile(const std::filesystem::path &file, std::string station,
                                                             Clock clock)
{
    const std::string location = file.string();
    try {
        if (std::filesystem::is_directory(file))
            throw JournalError("a folder stands in its place");
        if (journalFileMissing(file))
            makeNewJournal(file);
        auto session = std::make_unique<Session>();
        openSqlite(session->sql, file);
        requireJournalTables(session->sql);
        std::string mode;
        session->sql << "PRAGMA journal_mode=WAL", soci::into(mode);
        setSynchronous(session->sql, session->dialect, Commit::Durable);
        checkOnceADay(session->sql, dayNumber(clock()));
        createSchema(session->sql, session->dialect);
        auto journal = std::unique_ptr<CarrierIdJournal>(new CarrierIdJournal(std::move(session), location, station, clock));
        journal->m_opener = [file, station, clock] { return openFile(file, station, clock); };
        return journal;
    } catch (const std::exception &error) {
        throw JournalError("The carrier-ID journal " + location + " cannot be opened: " + error.what());
    }
}

std::unique_ptr<CarrierIdJournal> CarrierIdJournal::openServer(const std::string &connection, std::string station,
                                                               Clock clock)
{
    const std::string server = teb::serverName(connection);
    const std::string location = "on the server " + server;
    try {
        const auto readable = libpqConnectionString(connection);
        if (!readable)
            throw JournalError("the Server setting in the [Journal] section is no connection string libpq can read");
        auto session = std::make_unique<Session>();
        session->dialect = journal_schema::Dialect::Postgres;
        ::setenv("PGCONNECT_TIMEOUT", "5", 0); // an unreachable server answers within seconds
        session->sql.open(*soci::factory_postgresql(), *readable);
        session->setUpConnection();
        createSchema(session->sql, session->dialect);
        auto journal = std::unique_ptr<CarrierIdJournal>(new CarrierIdJournal(std::move(session), location, station, clock));
        journal->m_serverName = serverPlace(connection);
        journal->m_opener = [connection, station, clock] { return openServer(connection, station, clock); };
        return journal;
    } catch (const std::exception &error) {
        const std::string reason = withoutPassword(error.what(), connection);
        throw JournalError("The carrier-ID journal " + location + " cannot be opened: " +
                           withoutPassword(reason, libpqConnectionString(connection).value_or("")));
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
        writeUnwrittenEnds(m_session->sql);
        writeRecordedNotes(m_session->sql);
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

CarrierIdJournal::~CarrierIdJournal()
{
    if (m_recordedNotes.empty())
        return;
    try {
        guarded("note the records", [](soci::session &) {});
    } catch (const JournalError &) {
        // The next start looks the records up in their files.
    }
}

JournalEntry CarrierIdJournal::reserve(JournalEntry entry, bool holdsCarrierId)
{
    entry.state = CycleState::Reserved;
    entry.reservedAt = m_clock();
    entry.finishedAt.clear();
    entry.station = m_station;
    // One statement, committed on its own: one round trip to a server.
    return guarded("write the reservation", [&](soci::session &sql) {
        entry.id = insertEntry(sql, entry, holdsCarrierId);
        return entry;
    });
}

void CarrierIdJournal::writeEnd(soci::session &sql, std::int64_t id, CycleState state, const std::string &at)
{
    const std::string name(stateName(state));
    const long long entryId = id;
    // A programmed automatic cycle owes its record until the station notes it
    // written: what a power cut takes from the record file is found again.
    const int programmed = state == CycleState::Programmed ? 1 : 0;
    sql << "UPDATE cycles SET state = :state, finished_at = :at,"
           " recorded = CASE WHEN :programmed = 1 AND source <> 'manual' THEN 0 ELSE recorded END"
           " WHERE id = :id",
        soci::use(name), soci::use(at), soci::use(programmed), soci::use(entryId);
}

// An end the journal could not take (the server gone, the disk full) is the
// first thing it writes once it works again: until then its ID stays held.
void CarrierIdJournal::writeUnwrittenEnds(soci::session &sql)
{
    while (!m_unwrittenEnds.empty()) {
        const UnwrittenEnd &end = m_unwrittenEnds.front();
        writeEnd(sql, end.id, end.state, end.at);
        m_unwrittenEnds.erase(m_unwrittenEnds.begin());
    }
}

FirstFreeReservation CarrierIdJournal::reserveFirstFree(const std::string &uid, std::vector<JournalEntry> offered)
{
    const std::string at = m_clock();
    for (JournalEntry &entry : offered) {
        entry.state = CycleState::Reserved;
        entry.reservedAt = at;
        entry.finishedAt.clear();
        entry.station = m_station;
    }
    // The notes ride with the reservation instead of going before it.
    std::vector<std::int64_t> notes = std::exchange(m_recordedNotes, {});
    try {
        return guarded("write the reservation", [&](soci::session &sql) {
            return m_session->dialect == journal_schema::Dialect::Postgres
                       ? reserveFirstFreeOnServer(sql, uid, offered, notes)
                       : reserveFirstFreeInFile(sql, uid, offered, notes);
        });
    } catch (const JournalError &) {
        m_recordedNotes.insert(m_recordedNotes.end(), notes.begin(), notes.end());
        throw;
    }
}

// Lazy: a note lost here only makes the next start look the record up.
void CarrierIdJournal::writeRecordedNotes(soci::session &sql)
{
    if (m_recordedNotes.empty())
        return;
    std::vector<long long> ids(m_recordedNotes.begin(), m_recordedNotes.end());
    m_recordedNotes.clear();
    const LazyCommit lazy(*m_session);
    sql << "UPDATE cycles SET recorded = 1 WHERE id = :id", soci::use(ids);
}

void CarrierIdJournal::finish(std::int64_t id, CycleState state)
{
    const std::string at = m_clock();
    try {
        guarded("write the end of the cycle", [&](soci::session &sql) { writeEnd(sql, id, state, at); });
    } catch (const JournalError &) {
        std::erase_if(m_unwrittenEnds, [id](const UnwrittenEnd &end) { return end.id == id; });
        m_unwrittenEnds.push_back({id, state, at});
        throw;
    }
}

void CarrierIdJournal::markCsvRow(std::int64_t id)
{
    guarded("note the CSV mark", [&](soci::session &sql) {
        const long long entryId = id;
        const LazyCommit lazy(*m_session);
        sql << "UPDATE cycles SET csv_marked = 1 WHERE id = :id", soci::use(entryId);
    });
}

void CarrierIdJournal::noteRecorded(const std::vector<std::int64_t> &ids)
{
    if (ids.empty())
        return;
    guarded("note the record", [&](soci::session &sql) {
        std::vector<long long> entryIds(ids.begin(), ids.end());
        const LazyCommit lazy(*m_session);
        sql << "UPDATE cycles SET recorded = 1 WHERE id = :id", soci::use(entryIds);
    });
}

std::vector<JournalEntry> CarrierIdJournal::unrecorded()
{
    return guarded("be read", [&](soci::session &sql) {
        return entriesOf((sql.prepare << "SELECT " << kColumns
                                      << " FROM cycles WHERE station = :station AND recorded = 0"
                                         " AND state = 'programmed' ORDER BY id LIMIT 1000",
                          soci::use(m_station)));
    });
}

void CarrierIdJournal::logStatements(std::ostream *stream) { m_session->sql.set_log_stream(stream); }

bool CarrierIdJournal::durableCommits()
{
    if (m_session->dialect != journal_schema::Dialect::Sqlite)
        return true;
    return guarded("be read", [&](soci::session &sql) {
        int level = 0;
        sql << "PRAGMA synchronous", soci::into(level);
        return level >= kSynchronousFull;
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
            auto &slot = entry.state == CycleState::Programmed ? history.programmed
                         : entry.state == CycleState::Spoiled  ? history.spoiled
                                                               : history.unfinished;
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
            value = journal_store::firstNumberNoEntryHolds(sql, m_session->dialect, idLength, value);
            long long rangeEnd = 0;
            soci::indicator rangeIndicator = soci::i_null;
            sql << "SELECT MAX(last_value) FROM issued_ranges WHERE id_length = :length AND first_value <= :low"
                   " AND last_value >= :high",
                soci::use(idLength), soci::use(value), soci::use(value), soci::into(rangeEnd, rangeIndicator);
            if (rangeIndicator != soci::i_ok)
                return static_cast<std::uint64_t>(value);
            value = rangeEnd + 1;
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
        const std::string source(journal_source::kFixData);
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
        // On a server only this station's: another station's CSV file may
        // not even be in reach here, and that station makes its own marks.
        // A few at a time: the rest follow at the next cycles.
        const std::string unmarked = "SELECT " + std::string(kColumns) +
                                     " FROM cycles WHERE state = 'programmed' AND csv_file <> '' AND csv_marked = 0";
        if (m_session->dialect == journal_schema::Dialect::Postgres)
            return entriesOf((sql.prepare << unmarked << " AND station = :station ORDER BY id LIMIT 100",
                              soci::use(m_station)));
        return entriesOf((sql.prepare << unmarked << " ORDER BY id LIMIT 100"));
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

std::uint64_t CarrierIdJournal::programmedCountOfSet(std::string_view setName)
{
    return guarded("be read", [&](soci::session &sql) {
        const std::string set(setName);
        long long count = 0;
        if (m_session->dialect == journal_schema::Dialect::Sqlite)
            sql << "SELECT programmed FROM programmed_by_set WHERE set_name = :set", soci::use(set), soci::into(count);
        else
            sql << "SELECT COUNT(*) FROM cycles WHERE set_name = :set AND state = 'programmed'", soci::use(set),
                soci::into(count);
        return static_cast<std::uint64_t>(count);
    });
}

std::vector<JournalEntry> CarrierIdJournal::history(std::string_view search, std::size_t limit)
{
    return historyPage(search, {}, limit).entries;
}

HistoryPage CarrierIdJournal::historyPage(std::string_view search, const HistoryCursor &from, std::size_t rows)
{
    return guarded("be read", [&](soci::session &sql) {
        return journal_store::historyPage(sql, m_session->dialect, search, from, rows);
    });
}

std::uint64_t CarrierIdJournal::historyCount(std::string_view search, std::uint64_t cap)
{
    return guarded("be read", [&](soci::session &sql) {
        return journal_store::historyCount(sql, m_session->dialect, search, cap);
    });
}

std::vector<JournalEntry> CarrierIdJournal::programmedOfSet(std::string_view setName, std::int64_t afterId,
                                                            std::size_t rows)
{
    return guarded("be read", [&](soci::session &sql) {
        const std::string set(setName);
        const long long after = afterId;
        const long long limit = static_cast<long long>(rows);
        return entriesOf((sql.prepare << "SELECT " << kColumns
                                      << " FROM cycles WHERE set_name = :set AND state = 'programmed' AND id > :after"
                                         " ORDER BY id LIMIT :rows",
                          soci::use(set), soci::use(after), soci::use(limit)));
    });
}

namespace {
// The station's own mark of a file taken over (a station's name holds no line
// break). Earlier versions marked the path alone; such a mark still counts
// for every station.
std::string takenOverKey(const std::string &station, const std::string &file) { return station + "\n" + file; }
} // namespace

bool CarrierIdJournal::wasTakenOver(const std::string &file)
{
    return guarded("be read", [&](soci::session &sql) {
        const std::string key = takenOverKey(m_station, file);
        int count = 0;
        sql << "SELECT COUNT(*) FROM taken_over WHERE file = :key OR file = :file", soci::use(key), soci::use(file),
            soci::into(count);
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
        const std::string key = takenOverKey(m_station, file);
        sql << "INSERT INTO taken_over (file, taken_at) VALUES (:file, :at)", soci::use(key), soci::use(at);
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
        const std::string key = takenOverKey(m_station, file);
        sql << "INSERT INTO taken_over (file, taken_at) VALUES (:file, :at)", soci::use(key),
            soci::use(entry.reservedAt);
        transaction.commit();
    });
}

} // namespace teb
