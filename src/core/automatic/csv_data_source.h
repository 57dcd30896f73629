#pragma once

#include "automatic/automatic_messages.h"
#include "automatic/complete_data_set.h"
#include "automatic/csv_mark.h"
#include "automatic/csv_rows.h"
#include "params/parameter_set.h"

#include <array>
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

// The main window's fields that the data sources read and change.
struct DataSourceFields {
    ParameterSet &set;
    std::array<std::string, pageCount> &pageText;
    bool asciiFormat = false;
    std::string &nextCarrierId;
    std::string_view csvDelimiter;
    std::filesystem::path workingDirectory; // a relative CSV file name is taken from here

    PageModel pages() const { return PageModel{set.pages, pageText, asciiFormat}; }
    std::filesystem::path csvFile() const;
};

// What a CSV source keeps between taking a row and marking it.
struct CsvSourceState {
    std::optional<CsvRow> rowInPages; // the row whose data stand in the pages
    CompleteDataSet rowBuffer;        // the last complete data set read
};

// Whether a carrier ID (the bytes it puts on the tag) may be offered.
using CarrierIdFilter = std::function<bool(const std::string &carrierId)>;

// NextDataSet and NextComplete: the next unprocessed row that the filter
// (when given) lets through becomes the Carrier ID ("next" shows it) and is
// placed into the pages. The result is the error count: 0 on success, 1
// after the messages of a failure (the Carrier ID and the pages then stay as
// they were).
int nextDataSet(DataSourceFields &fields, CsvSourceState &state, NoticeSink &notices,
                const CarrierIdFilter &offered = {});
int nextComplete(DataSourceFields &fields, CsvSourceState &state, NoticeSink &notices,
                 const CarrierIdFilter &offered = {});

// The bytes a complete data set puts into the carrier ID's cells; empty for
// a row that is no valid set.
std::optional<std::string> completeRowCarrierId(std::string_view row, std::string_view delimiter);

// CurrentDataSetProcessed and NextCompleteProcessed: the row in the pages gets its "X".
MarkResult markRowInPages(const DataSourceFields &fields, CsvFormat format, CsvSourceState &state);

} // namespace teb
