#pragma once

#include "automatic/csv_data_source.h"
#include "automatic/progress_file.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// One automatic programming cycle: data source, write, lock, advance, record.
// The cycle reaches the reader, the record file and the window only through
// the station interface, and the window's fields through references.
namespace teb {

// What the cycle asks of the station around it.
class CycleStation : public NoticeSink {
public:
    // Write the selected pages (the UID first for Orvex Multipage) and lock
    // those the set locks; each returns the error count of its run.
    virtual int writePages() = 0;
    virtual int lockPages() = 0;
    // The transponder into the record file; false when it cannot be opened.
    virtual bool appendRecord() = 0;
    virtual void takeFromControls() = 0;
    virtual void showInControls() = 0; // and repaint the window
    // The record file failed: the controls an operator needs are enabled again.
    virtual void enableAfterRecordFailure() = 0;
};

// Where the set's progress is kept and the start values it belongs to.
struct ProgressKeeping {
    std::filesystem::path file;
    SetStart start;
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
    std::optional<ProgressKeeping> progress; // none: the progress is not kept
};

void runAutomaticCycle(CycleFields &fields, CycleStation &station);

} // namespace teb
