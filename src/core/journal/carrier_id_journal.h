#pragma once

#include "journal/history_page.h"
#include "journal/journal_entry.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace soci {
class session;
}

// Every carrier ID the station issues, written down durably before the first
// page write of its cycle leaves the port: the progress of every data source
// and the guard that no carrier ID goes onto two transponders. Every call
// that fails throws JournalError naming the journal and the reason.
namespace teb {

// "TagEncoderBench.journal" in the working folder (SQLite, WAL, every
// durable commit synced), or a PostgreSQL server that several stations share.
inline constexpr std::string_view kJournalFileName = "TagEncoderBench.journal";
std::filesystem::path journalFilePath(const std::filesystem::path &directory);

// The longest carrier ID the journal counts as a number (what a signed 64-bit
// column holds for certain); longer ones only the holder check sees.
inline constexpr std::size_t kLongestCountedCarrierId = 18;

struct TransponderHistory {
    std::optional<JournalEntry> programmed; // the newest
    std::optional<JournalEntry> unfinished; // the newest reserved or uncertain
    std::optional<JournalEntry> spoiled;    // the newest

    bool holdsAnything() const { return programmed || unfinished || spoiled; }
};

// What reserveFirstFree found: the transponder's history, and when it holds
// nothing, the entry reserved (none when every one offered is held).
struct FirstFreeReservation {
    TransponderHistory history;
    std::optional<JournalEntry> reserved;
};

class CarrierIdJournal {
public:
    using Clock = std::function<std::string()>; // "YYYY-MM-DD hh:mm:ss"

    // Opens (creating when missing) the SQLite journal; throws JournalError
    // when it cannot be opened, is damaged or has a newer schema.
    static std::unique_ptr<CarrierIdJournal> openFile(const std::filesystem::path &file, std::string station,
                                                      Clock clock = localTimeText);
    // Opens the journal that several stations share on a PostgreSQL server
    // (a libpq connection string), creating its tables on first use; throws
    // JournalError naming the server without its password.
    static std::unique_ptr<CarrierIdJournal> openServer(const std::string &connection, std::string station,
                                                        Clock clock = localTimeText);
    ~CarrierIdJournal();
    CarrierIdJournal(const CarrierIdJournal &) = delete;
    CarrierIdJournal &operator=(const CarrierIdJournal &) = delete;

    // The file, or "on the server db.fab.example, database teb", as a message names it.
    const std::string &location() const { return m_location; }
    // "db.fab.example/teb"; empty for the local file.
    const std::string &serverName() const { return m_serverName; }
    const std::string &station() const { return m_station; }

    // Writes the entry as reserved, durably, and returns it with its id, time
    // and station. Throws CarrierIdTaken when another entry holds its carrier
    // ID, PagesTaken when one holds the bytes it writes into pages 1 and 2.
    // `holdsCarrierId` false: the operator wrote by hand an ID that another
    // transponder holds; the entry then holds it (and its pages) for nobody.
    JournalEntry reserve(JournalEntry entry, bool holdsCarrierId = true);
    // The decimal counter's reservation in one piece of work (one round trip
    // to a server): the history of the transponder `uid`; when it holds
    // nothing, the first of `offered` (same set, source and UID; ascending
    // carrier IDs) whose carrier ID, pages 1 and 2 and number nothing holds is
    // reserved, durably. The reservation time and station are the journal's.
    FirstFreeReservation reserveFirstFree(const std::string &uid, std::vector<JournalEntry> offered);
    // Durably. An end that cannot be written is kept and written again
    // before the journal's next piece of work.
    void finish(std::int64_t id, CycleState state);
    bool hasUnwrittenEnds() const { return !m_unwrittenEnds.empty(); }
    void markCsvRow(std::int64_t id); // lazy: the CSV file tells it again
    // A programmed automatic cycle owes its record from its end on; these are
    // in their record files (lazy: the record file tells it again).
    void noteRecorded(const std::vector<std::int64_t> &ids);
    // The same, sent with the journal's next piece of work.
    void noteRecordedLater(std::int64_t id) { m_recordedNotes.push_back(id); }
    // This station's programmed entries whose record is not noted.
    std::vector<JournalEntry> unrecorded();
    // Whether a commit now is synced (SQLite at FULL; a server as set up).
    bool durableCommits();

    // The entry that holds a carrier ID (reserved, programmed or uncertain).
    std::optional<JournalEntry> holderOf(std::string_view carrierId);
    // The entry that holds the carrier ID or the bytes of pages 1 and 2 that
    // `pagesHex` writes (see holderOfPages).
    std::optional<JournalEntry> holderOf(std::string_view carrierId, std::string_view pagesHex);
    // The entry that holds the bytes of pages 1 and 2 that `pagesHex` (as
    // JournalEntry::pagesHex) writes, whatever carrier ID it holds them as.
    std::optional<JournalEntry> holderOfPages(std::string_view pagesHex);
    // The newest programmed, and the newest reserved or uncertain, entry of a UID.
    std::optional<JournalEntry> programmedFor(std::string_view uid);
    std::optional<JournalEntry> unfinishedFor(std::string_view uid);
    // Both in one question.
    TransponderHistory historyOf(std::string_view uid);
    std::vector<JournalEntry> unfinished();
    // At start-up: a cycle still reserved was cut off; it becomes uncertain.
    std::vector<JournalEntry> closeInterruptedCycles();

    // The first value >= from whose digits (zero-padded to `length`) no entry
    // and no taken-over range holds.
    std::uint64_t firstFreeNumber(std::uint64_t from, std::size_t length);
    // The counter page value of the newest cycle of the set that ran from
    // `counterStart` and holds its carrier ID.
    std::optional<std::string> lastCounterPageValue(std::string_view setName, std::string_view counterStart);
    // Fixed data: the job now running for the set, a new one, and its count
    // of transponders reserved, programmed or uncertain.
    std::int64_t currentJob(std::string_view setName);
    std::int64_t startJob(std::string_view setName);
    std::uint64_t fixedDataCount(std::string_view setName, std::int64_t job);
    // Programmed CSV rows whose "X" is still to be made (the oldest 100; on a
    // server this station's).
    std::vector<JournalEntry> unmarkedCsvRows();

    // The set's programmed transponders, oldest first (its records).
    std::vector<JournalEntry> programmedOfSet(std::string_view setName);
    // How many there are, without reading them.
    std::uint64_t programmedCountOfSet(std::string_view setName);
    // The first `limit` entries of historyPage's list.
    std::vector<JournalEntry> history(std::string_view search = {}, std::size_t limit = 10000);
    // The history window's list, a page of at most `rows` entries from `from`
    // on. Without a search text every entry, newest first. With one, the
    // entries whose carrier ID as shown, its HEX key or its UID starts with
    // it (see searchRanges; "%" and "_" are characters like any other): by
    // carrier ID, then HEX key, then UID, each its largest values first and
    // newest first within a value.
    HistoryPage historyPage(std::string_view search, const HistoryCursor &from, std::size_t rows);
    // How many entries that list holds, counted no further than `cap`.
    std::uint64_t historyCount(std::string_view search, std::uint64_t cap);
    // The set's programmed transponders after the entry `afterId`, oldest
    // first, at most `rows` of them: its records a page at a time.
    std::vector<JournalEntry> programmedOfSet(std::string_view setName, std::int64_t afterId, std::size_t rows);

    // Opens another connection to the same journal (the same file or server,
    // station and clock): one connection serves one thread at a time.
    using Opener = std::function<std::unique_ptr<CarrierIdJournal>()>;
    const Opener &opener() const { return m_opener; }

    // Taking over files of earlier versions, once each per station: two
    // stations at the same path on a shared journal each take over their own.
    bool wasTakenOver(const std::string &file);
    struct TakenOverProgress {
        std::string setName;
        std::size_t length = 0;          // the carrier IDs first .. last of this many digits were issued
        std::uint64_t first = 0;
        std::uint64_t last = 0;
        std::string counterStart;        // and the counter page had got to lastCounterPageValue
        std::string lastCounterPageValue; // empty: nothing to take over
    };
    void takeOverProgress(const TakenOverProgress &progress, const std::string &file);
    void takeOverEntry(JournalEntry entry, const std::string &file);

    static std::string localTimeText();

    // Every statement the journal prepares from now on, its text one line
    // each, goes to `stream` (none: nullptr): their query plans can be looked at.
    void logStatements(std::ostream *stream);

private:
    struct Session;
    friend class LazyCommit;
    CarrierIdJournal(std::unique_ptr<Session> session, std::string location, std::string station, Clock clock);
    template <typename Work>
    auto guarded(std::string_view what, Work work);
    void writeEnd(soci::session &sql, std::int64_t id, CycleState state, const std::string &at);
    void writeUnwrittenEnds(soci::session &sql);

    struct UnwrittenEnd {
        std::int64_t id;
        CycleState state;
        std::string at;
    };
    std::vector<UnwrittenEnd> m_unwrittenEnds;
    std::vector<std::int64_t> m_recordedNotes;
    void writeRecordedNotes(soci::session &sql);
    std::unique_ptr<Session> m_session;
    std::string m_location;
    std::string m_serverName;
    std::string m_station;
    Clock m_clock;
    Opener m_opener;
};

} // namespace teb
