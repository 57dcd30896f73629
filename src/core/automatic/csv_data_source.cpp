#include "automatic/csv_data_source.h"

#include "common/file_layer.h"
#include "common/decimal_text.h"

namespace teb {
namespace {

// A row's data placed into the pages; empty for a row whose data cannot be.
using RowPlacement = std::function<std::optional<TakenRow>(const CsvRow &row)>;

std::optional<TakenRow> placedSimpleRow(const CsvRow &row, std::string_view delimiter, std::optional<CellRun> run,
                                        PageImage image)
{
    const std::string carrierId = simpleRowCarrierId(row.text, delimiter);
    if (carrierId.empty() || !run || static_cast<long long>(carrierId.size()) != run->length)
        return std::nullopt;
    if (!placeRun(image, *run, bytesOf(carrierId)))
        return std::nullopt;
    return TakenRow{row, carrierId, carrierId, *run, std::move(image), std::nullopt};
}

std::optional<TakenRow> placedCompleteRow(const CsvRow &row, std::string_view delimiter, PageImage image)
{
    const auto dataSet = readCompleteDataSet(row.text, delimiter);
    const auto bytes = dataSet ? completeSetBytes(*dataSet) : std::nullopt;
    if (!bytes)
        return std::nullopt;
    placeCompleteSet(image, *bytes);
    return TakenRow{row, dataSet->carrierId(), std::string(bytes->carrierId.begin(), bytes->carrierId.end()),
                    bytes->carrierIdRun, std::move(image), completeSetLocks(*dataSet)};
}

// A row whose data cannot be placed is let through, so that its fault is reported.
RowFilter rowFilter(const RowPlacement &placement, const CarrierIdFilter &offered)
{
    if (!offered)
        return {};
    return [&placement, &offered](std::string_view text) {
        const auto placed = placement(CsvRow{0, std::string(text)});
        return !placed || offered(placed->carrierIdBytes, placed->image);
    };
}

std::nullopt_t refused(NoticeSink &notices)
{
    notices.notify(notice::kCsvWrongFormat);
    return std::nullopt;
}

// The file's first unprocessed row that may be offered, placed; empty after
// the messages of a missing file or a row that cannot be placed.
std::optional<TakenRow> nextRow(const CsvFile &file, CsvFormat format, NoticeSink &notices,
                                const CarrierIdFilter &offered, const RowPlacement &placement)
{
    const auto content = readWholeFile(file.path);
    if (!content) {
        notices.notify(notice::kNoCsvAccess);
        return refused(notices);
    }
    const auto row = firstUnprocessedRow(format, *content, file.delimiter, rowFilter(placement, offered));
    auto taken = row ? placement(*row) : std::nullopt;
    if (!taken)
        return refused(notices);
    return taken;
}

} // namespace

CsvFile csvFileOf(const ParameterSet &set, std::string_view delimiter, const std::filesystem::path &workingDirectory)
{
    const std::filesystem::path file(set.csvFileName);
    return {workingDirectory.empty() ? file : workingDirectory / file, std::string(delimiter)};
}

std::optional<std::string> completeRowCarrierId(std::string_view row, std::string_view delimiter)
{
    const auto dataSet = readCompleteDataSet(row, delimiter);
    const auto bytes = dataSet ? completeSetBytes(*dataSet) : std::nullopt;
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->carrierId.begin(), bytes->carrierId.end());
}

std::optional<TakenRow> nextDataSet(const CsvFile &file, const ParameterSet &set, PageImage image,
                                    NoticeSink &notices, const CarrierIdFilter &offered)
{
    const auto run = carrierIdRun(set);
    return nextRow(file, CsvFormat::Simple, notices, offered, [&](const CsvRow &row) {
        return placedSimpleRow(row, file.delimiter, run, image);
    });
}

std::optional<TakenRow> nextComplete(const CsvFile &file, PageImage image, NoticeSink &notices,
                                     const CarrierIdFilter &offered)
{
    return nextRow(file, CsvFormat::Complete, notices, offered,
                   [&](const CsvRow &row) { return placedCompleteRow(row, file.delimiter, image); });
}

MarkResult markRowInPages(const CsvFile &file, CsvFormat format, CsvSourceState &state)
{
    if (!state.rowInPages)
        return MarkResult::RowChanged;
    const MarkResult result = markRowProcessed(file.path, format, *state.rowInPages, file.delimiter);
    if (result == MarkResult::Marked)
        state.rowInPages.reset();
    return result;
}

} // namespace teb
