#include "automatic/csv_data_source.h"

#include "automatic/atomic_file.h"
#include "automatic/page_placement.h"
#include "common/decimal_text.h"

namespace teb {
namespace {

// The file's first unprocessed row; the messages of a missing file.
std::optional<CsvRow> takeNextRow(const DataSourceFields &fields, CsvFormat format, NoticeSink &notices)
{
    const auto content = readWholeFile(fields.csvFile());
    if (!content) {
        notices.notify(notice::noCsvAccess);
        return std::nullopt;
    }
    return firstUnprocessedRow(format, *content, fields.csvDelimiter);
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

int nextDataSet(DataSourceFields &fields, CsvSourceState &state, NoticeSink &notices)
{
    const auto row = takeNextRow(fields, CsvFormat::Simple, notices);
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

int nextComplete(DataSourceFields &fields, CsvSourceState &state, NoticeSink &notices)
{
    const auto row = takeNextRow(fields, CsvFormat::Complete, notices);
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
    state.pendingMark = PendingMark{fields.csvFile(), format, *state.rowInPages};
    state.rowInPages.reset();
    return retryPendingMark(fields, state);
}

MarkResult retryPendingMark(const DataSourceFields &fields, CsvSourceState &state)
{
    if (!state.pendingMark)
        return MarkResult::Marked;
    const PendingMark &pending = *state.pendingMark;
    const MarkResult result = markRowProcessed(pending.file, pending.format, pending.row, fields.csvDelimiter);
    if (result == MarkResult::Marked)
        state.pendingMark.reset();
    return result;
}

} // namespace teb
