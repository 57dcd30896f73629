#include "automatic/csv_data_source.h"

#include "common/file_layer.h"
#include "automatic/page_placement.h"
#include "common/decimal_text.h"

namespace teb {
namespace {

RowFilter rowFilter(CsvFormat format, std::string_view delimiter, const CarrierIdFilter &offered)
{
    if (!offered)
        return {};
    const std::string kept(delimiter);
    if (format == CsvFormat::Simple)
        return [offered, kept](std::string_view row) { return offered(simpleRowCarrierId(row, kept)); };
    // A row that is no valid set is let through, so that its fault is reported.
    return [offered, kept](std::string_view row) {
        const auto carrierId = completeRowCarrierId(row, kept);
        return !carrierId || offered(*carrierId);
    };
}

// The file's first unprocessed row that may be offered; the messages of a missing file.
std::optional<CsvRow> takeNextRow(const DataSourceFields &fields, CsvFormat format, NoticeSink &notices,
                                  const CarrierIdFilter &offered)
{
    const auto content = readWholeFile(fields.csvFile());
    if (!content) {
        notices.notify(notice::noCsvAccess);
        return std::nullopt;
    }
    return firstUnprocessedRow(format, *content, fields.csvDelimiter, rowFilter(format, fields.csvDelimiter, offered));
}

int refused(NoticeSink &notices)
{
    notices.notify(notice::csvWrongFormat);
    return 1;
}

} // namespace

std::filesystem::path DataSourceFields::csvFile() const
{
    const std::filesystem::path file(set.csvFileName);
    return workingDirectory.empty() ? file : workingDirectory / file;
}

std::optional<std::string> completeRowCarrierId(std::string_view row, std::string_view delimiter)
{
    const auto dataSet = readCompleteDataSet(row, delimiter);
    const auto bytes = dataSet ? completeSetBytes(*dataSet) : std::nullopt;
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->carrierId.begin(), bytes->carrierId.end());
}

int nextDataSet(DataSourceFields &fields, CsvSourceState &state, NoticeSink &notices, const CarrierIdFilter &offered)
{
    const auto row = takeNextRow(fields, CsvFormat::Simple, notices, offered);
    if (!row)
        return refused(notices);
    const std::string carrierId = simpleRowCarrierId(row->text, fields.csvDelimiter);
    const auto run = carrierIdRun(fields.set);
    if (carrierId.empty() || !run || static_cast<long long>(carrierId.size()) != run->length)
        return refused(notices);
    PageModel pages = fields.pages();
    if (!placeRun(pages, *run, bytesOf(carrierId)))
        return refused(notices);
    fields.set.carrierId = carrierId;
    fields.nextCarrierId = carrierId;
    state.rowInPages = row;
    return 0;
}

int nextComplete(DataSourceFields &fields, CsvSourceState &state, NoticeSink &notices, const CarrierIdFilter &offered)
{
    const auto row = takeNextRow(fields, CsvFormat::Complete, notices, offered);
    if (!row)
        return refused(notices);
    const auto dataSet = readCompleteDataSet(row->text, fields.csvDelimiter);
    if (!dataSet)
        return refused(notices);
    state.rowBuffer = *dataSet;
    const auto bytes = completeSetBytes(*dataSet);
    if (!bytes)
        return refused(notices);
    PageModel pages = fields.pages();
    placeCompleteSet(pages, fields.set, *dataSet, *bytes);
    fields.set.carrierId = dataSet->carrierId();
    fields.nextCarrierId = fields.set.carrierId;
    state.rowInPages = row;
    return 0;
}

MarkResult markRowInPages(const DataSourceFields &fields, CsvFormat format, CsvSourceState &state)
{
    if (!state.rowInPages)
        return MarkResult::RowChanged;
    const MarkResult result = markRowProcessed(fields.csvFile(), format, *state.rowInPages, fields.csvDelimiter);
    if (result == MarkResult::Marked)
        state.rowInPages.reset();
    return result;
}

} // namespace teb
