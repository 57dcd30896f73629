#pragma once

#include "journal/journal_entry.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Every carrier ID the station issues, written down durably before the first
// page write of its cycle leaves the port: the progress of every data source
// and the guard that no carrier ID goes onto two transponders. Every call
// that fails throws JournalError naming the journal and the reason.
namespace teb {

// "TagEncoderBench.journal" in the working folder (SQLite, WAL, every
// durable commit synced), or a PostgreSQL server that several stations share.
inline constexpr std::string_view kJournalFileName = "TagEncoderBench.journal";
std::filesystem::path journalFilePath(const std::filesystem::path &directory);

struct TransponderHistory {
    std::optional<JournalEntry> programmed; // the newest
    std::optional<JournalEntry> unfinished; // the newest reserved or uncertain
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

    // The file (or, later, the server) as a message names it.
    const std::string &location() const { return m_location; }
    const std::string &station() const { return m_station; }

    // Writes the entry as reserved, durably, and returns it with its id, time
    // and station. Throws CarrierIdTaken when another entry holds its carrier
    // ID, PagesTaken when one holds the bytes it writes into pages 1 and 2.
    JournalEntry reserve(JournalEntry entry);
    void finish(std::int64_t id, CycleState state); // durably
    void markCsvRow(std::int64_t id); // lazy: the CSV file tells it again
    // A carrier ID written by hand ("write carrier ID"), as programmed.
    // `shared`: another transponder holds it already and the operator wrote
    // it anyway; the entry then holds it for nobody.
    void recordManualWrite(JournalEntry entry, bool shared);

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
    // Programmed CSV rows whose "X" is still to be made.
    std::vector<JournalEntry> unmarkedCsvRows();

    // The set's programmed transponders, oldest first (its records).
    std::vector<JournalEntry> programmedOfSet(std::string_view setName);
    // Newest first; `search` (when not empty) matches the carrier ID or the UID.
    std::vector<JournalEntry> history(std::string_view search = {}, std::size_t limit = 10000);

    // Taking over files of earlier versions, once each.
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

private:
    struct Session;
    CarrierIdJournal(std::unique_ptr<Session> session, std::string location, std::string station, Clock clock);
    template <typename Work>
    auto guarded(std::string_view what, Work work);

    std::unique_ptr<Session> m_session;
    std::string m_location;
    std::string m_station;
    Clock m_clock;
};

} // namespace teb
