#include "automatic/csv_data_source.h"

#include "common/file_layer.h"
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
std::optional<CsvRow> takeNextRow(const CsvFile &file, CsvFormat format, NoticeSink &notices,
                                  const CarrierIdFilter &offered)
{
    const auto content = readWholeFile(file.path);
    if (!content) {
        notices.notify(notice::noCsvAccess);
        return std::nullopt;
    }
    return firstUnprocessedRow(format, *content, file.delimiter, rowFilter(format, file.delimiter, offered));
}

std::nullopt_t refused(NoticeSink &notices)
{
    notices.notify(notice::csvWrongFormat);
    return std::nullopt;
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
    const auto row = takeNextRow(file, CsvFormat::Simple, notices, offered);
    if (!row)
        return refused(notices);
    const std::string carrierId = simpleRowCarrierId(row->text, file.delimiter);
    const auto run = carrierIdRun(set);
    if (carrierId.empty() || !run || static_cast<long long>(carrierId.size()) != run->length)
        return refused(notices);
    if (!placeRun(image, *run, bytesOf(carrierId)))
        return refused(notices);
    return TakenRow{*row, carrierId, carrierId, *run, std::move(image), std::nullopt};
}

std::optional<TakenRow> nextComplete(const CsvFile &file, PageImage image, NoticeSink &notices,
                                     const CarrierIdFilter &offered)
{
    const auto row = takeNextRow(file, CsvFormat::Complete, notices, offered);
    if (!row)
        return refused(notices);
    const auto dataSet = readCompleteDataSet(row->text, file.delimiter);
    const auto bytes = dataSet ? completeSetBytes(*dataSet) : std::nullopt;
    if (!bytes)
        return refused(notices);
    placeCompleteSet(image, *bytes);
    return TakenRow{*row, dataSet->carrierId(), std::string(bytes->carrierId.begin(), bytes->carrierId.end()),
                    bytes->carrierIdRun, std::move(image), completeSetLocks(*dataSet)};
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
