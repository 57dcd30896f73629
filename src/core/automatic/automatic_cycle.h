#pragma once

#include "automatic/cycle_numbers.h"
#include "automatic/csv_data_source.h"
#include "journal/carrier_id_journal.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// One automatic programming cycle: data source, the transponder's UID, the
// carrier ID reserved in the journal, write, lock, the journal's
// confirmation, the CSV mark and the record. The cycle takes the set, the
// pages as bytes and the counter's numbers, and returns what it decided; it
// reaches the reader, the journal, the CSV and record files and the window
// only through the station interface.
namespace teb {

// How a page write run ended for the journal: whether anything may have
// reached the tag.
struct PagesWritten {
    int errorCount = 0;
    bool reachedTag = false; // a write was sent and not refused with "NAK"
    bool refused = false;    // the reader answered a write with "NAK"
    int failedPage = 0;      // the page whose write failed; 0: none, or the UID step
    std::optional<std::string> uid; // the UID read before the writes, where one was
};

// What the transponder on the antenna holds, read after the writes: its UID
// and the pages asked for; what could not be read is empty.
struct TagReading {
    std::optional<std::string> uid;
    std::array<std::optional<PageBytes>, kPageCount> pages{};
};

// The journal as the current set uses it.
struct CycleJournal {
    bool open = false;
    std::string problem;                 // why not
    std::string setName;
    std::string counterStart;            // the counter page value the set's run started from
    std::int64_t fixedJob = 0;
    bool onServer = false;               // a reservation takes a round trip to a server
    bool readBackAllPages = true;        // false: the carrier ID's pages and the counter page
};

// What a cycle starts from.
struct CycleInput {
    ParameterSet set;
    PageImage pages;              // the boxes' bytes; the set's where a box holds none
    PageFlagArray selected{};     // the pages written
    CycleNumbers numbers;         // read once from the set and "max"
    CsvFile csvFile;
    CsvSourceState csvState;
    CycleJournal journal;
};

// What a cycle decided; the window takes it into its fields and boxes.
struct CycleOutcome {
    ParameterSet set;                           // carrier ID, counter page value, a complete set's locks
    PageImage pages;                            // the placed pages: their boxes and the set follow them
    std::optional<std::string> nextCarrierId;   // "next", where the cycle moved it
    std::optional<std::uint64_t> programmedCount; // fixed data: the journal's count for the job
    CsvSourceState csvState;
    std::optional<std::int32_t> errorCount;     // where the data or the tag decided it
    bool recordFailed = false;
    std::optional<int> focusPage;               // the first editable page, after a record

    // PASS: the transponder read back what was written and the journal
    // confirmed it. Otherwise why not, where the cycle knows it better than
    // the reader's exchanges tell.
    bool passed = false;
    std::string failure;
    bool dataRefused = false;                   // the data step ended the cycle
    std::optional<JournalEntry> entry;          // the journal entry the cycle worked on
};

// What the cycle asks of the station around it.
class CycleStation : public NoticeSink {
public:
    // The carrier-ID journal (these throw JournalError; reserve throws
    // CarrierIdTaken when another station holds the carrier ID by now,
    // PagesTaken when it holds the bytes of pages 1 and 2).
    virtual TransponderHistory historyOf(const std::string &uid) = 0;
    virtual JournalEntry reserve(const JournalEntry &entry) = 0;
    // The decimal counter's: history and reservation in one (see CarrierIdJournal).
    virtual FirstFreeReservation reserveFirstFree(const std::string &uid, const std::vector<JournalEntry> &offered) = 0;
    virtual void finish(std::int64_t id, CycleState state) = 0;
    // Whether another entry holds the carrier ID, or the bytes that `pagesHex`
    // (as the journal keeps it; pages 1 and 2 count) writes into pages 1 and 2.
    virtual bool isHeld(const std::string &carrierId, const std::string &pagesHex) = 0;
    virtual bool arePagesHeld(const std::string &pagesHex) = 0;
    virtual std::uint64_t firstFreeNumber(std::uint64_t from, std::size_t length) = 0;
    virtual std::uint64_t fixedDataCount(const std::string &setName, std::int64_t job) = 0;
    // The counter page value of the newest cycle of the set's run from `counterStart`.
    virtual std::optional<std::string> lastCounterPageValue(const std::string &setName,
                                                            const std::string &counterStart) = 0;

    // The CSV file: the next unprocessed row that the filter lets through,
    // placed into the pages (empty after its messages); a programmed row's
    // "X" (false when it could not be made), and the "X"s still missing.
    virtual std::optional<TakenRow> takeCsvRow(const CsvFile &file, CsvFormat format, const ParameterSet &set,
                                               const PageImage &pages, const CarrierIdFilter &offered) = 0;
    virtual bool markCsvRow(const JournalEntry &entry) = 0;
    // The programmed entry's record is in its set's record file.
    virtual void noteRecorded(std::int64_t entryId) = 0;
    virtual void markProgrammedRows() = 0;

    // "TOR", "RUID": the transponder's UID; empty when it cannot be read.
    virtual std::optional<std::string> readUid() = 0;
    // The boxes show what the cycle decided so far, and the given pages of
    // the image are written; a transponder that reads another UID by now gets
    // nothing.
    virtual PagesWritten writePages(const CycleOutcome &soFar, const PageImage &image, const PageFlagArray &pages,
                                    const std::string &uid) = 0;
    // Lock these pages; the error count of the run.
    virtual int lockPages(const PageFlagArray &locked) = 0;
    // "TOR", "RUID" and "RD n" for the pages asked for, whatever came before.
    virtual TagReading readTransponder(const PageFlagArray &pages) = 0;
    // The transponder as the cycle programmed it into the record file, after
    // the window shows it; false when the file cannot be opened.
    virtual bool appendRecord(const CycleOutcome &programmed) = 0;
    // What the cycle decided into the window, repainted at once.
    virtual void show(const CycleOutcome &soFar) = 0;
    // The record file failed: the controls an operator needs are enabled again.
    virtual void enableAfterRecordFailure() = 0;
    // Nothing is written: the page boxes lose the colours of an earlier result.
    virtual void clearPageResultColours() = 0;
};

CycleOutcome runAutomaticCycle(const CycleInput &input, CycleStation &station);

// The transponder on the antenna, whose UID has an unfinished entry, is read
// and its cycle finished from what it holds (also the history window's
// "Check transponder"). The outcome tells how it ended.
CycleOutcome finishFromTransponder(const CycleInput &input, const JournalEntry &entry, CycleStation &station);

// The CSV row of a programmed entry gets its "X", and the journal notes it;
// false when the "X" could not be made.
bool markJournalRow(CarrierIdJournal &journal, const JournalEntry &entry);
// Programmed CSV rows whose "X" is still missing get it; false when one
// could not be made.
bool markProgrammedRows(CarrierIdJournal &journal);

} // namespace teb
