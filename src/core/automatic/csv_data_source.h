#pragma once

#include "automatic/automatic_messages.h"
#include "automatic/complete_data_set.h"
#include "automatic/csv_mark.h"
#include "automatic/csv_rows.h"
#include "automatic/page_placement.h"
#include "params/parameter_set.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The two CSV data sources: the next unprocessed row into the pages, and the
// row marked processed once its transponder is programmed.
namespace teb {

class NoticeSink {
public:
    virtual ~NoticeSink() = default;
    virtual void notify(const Notice &notice) = 0;
};

// Where the CSV data sources read: the file and how its fields split.
struct CsvFile {
    std::filesystem::path path;
    std::string delimiter;
};

// The set's CSV file; a relative name is taken from the working directory.
CsvFile csvFileOf(const ParameterSet &set, std::string_view delimiter, const std::filesystem::path &workingDirectory);

// What a CSV source keeps between taking a row and marking it.
struct CsvSourceState {
    std::optional<CsvRow> rowInPages; // the row whose data stand in the pages
};

// A row taken into the pages.
struct TakenRow {
    CsvRow row;
    std::string carrierId;              // the set's carrier ID from now on ("next" shows it)
    std::string carrierIdBytes;         // what its cells hold on the tag
    CellRun carrierIdRun;               // the cells it lies in
    PageImage image;                    // the pages with the row's data placed
    std::optional<PageFlagArray> locks; // a complete data set's lock flags
};

// Whether a row's data may be offered: the bytes its carrier ID puts on the
// tag, and the pages with the row placed (pages 1 and 2 must be unique too).
using CarrierIdFilter = std::function<bool(const std::string &carrierId, const PageImage &placed)>;

// NextDataSet and NextComplete: the next unprocessed row that the filter
// (when given) lets through, placed into the image. Empty after the
// messages of a failure.
std::optional<TakenRow> nextDataSet(const CsvFile &file, const ParameterSet &set, PageImage image,
                                    NoticeSink &notices, const CarrierIdFilter &offered = {});
std::optional<TakenRow> nextComplete(const CsvFile &file, PageImage image, NoticeSink &notices,
                                     const CarrierIdFilter &offered = {});

// The bytes a complete data set puts into the carrier ID's cells; empty for
// a row that is no valid set.
std::optional<std::string> completeRowCarrierId(std::string_view row, std::string_view delimiter);

// CurrentDataSetProcessed and NextCompleteProcessed: the row in the pages gets its "X".
MarkResult markRowInPages(const CsvFile &file, CsvFormat format, CsvSourceState &state);

} // namespace teb
