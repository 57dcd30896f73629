#pragma once

#include "automatic/csv_data_source.h"
#include "journal/carrier_id_journal.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// One automatic programming cycle: data source, the transponder's UID, the
// carrier ID reserved in the journal, write, lock, the journal's
// confirmation, the CSV mark and the record. The cycle reaches the reader,
// the record file and the window only through the station interface, and
// the window's fields through references.
namespace teb {

// How a page write run ended for the journal: whether anything may have
// reached the tag.
struct PagesWritten {
    int errorCount = 0;
    bool reachedTag = false; // a write was acknowledged, or sent and not plainly refused
};

// What the cycle asks of the station around it.
class CycleStation : public NoticeSink {
public:
    // "TOR", "RUID": the transponder's UID; empty when it cannot be read.
    virtual std::optional<std::string> readUid() = 0;
    // Write the selected pages; a transponder that reads another UID by now
    // gets nothing.
    virtual PagesWritten writePages(const std::string &uid) = 0;
    // Lock those the set locks; the error count of the run.
    virtual int lockPages() = 0;
    // The transponder into the record file; false when it cannot be opened.
    virtual bool appendRecord() = 0;
    virtual void takeFromControls() = 0;
    virtual void showInControls() = 0; // and repaint the window
    // The record file failed: the controls an operator needs are enabled again.
    virtual void enableAfterRecordFailure() = 0;
    // Nothing is written: the page boxes lose the colours of an earlier result.
    virtual void clearPageResultColours() = 0;
};

// The journal as the current set uses it.
struct CycleJournal {
    CarrierIdJournal *journal = nullptr; // none: it could not be opened
    std::string problem;                 // why, when there is none
    std::string setName;
    std::string counterStart;            // the counter page value the set's run started from
    std::int64_t fixedJob = 0;
};

// The main window's fields that the cycle reads and changes.
struct CycleFields {
    DataSourceFields source;
    const std::array<bool, pageCount> &pageSelected;
    const std::string &carrierIdMax;
    std::uint64_t &programmedCount;
    std::int32_t &errorCount;
    bool &recordFailed;
    std::array<bool, pageCount> &pageFocusRequest;
    CsvSourceState &csvState;
    std::string &uidText;
    CycleJournal journal;
};

void runAutomaticCycle(CycleFields &fields, CycleStation &station);

// Programmed CSV rows whose "X" is still missing get it; false when one
// could not be made.
bool markProgrammedRows(CarrierIdJournal &journal);

} // namespace teb
