#include "records/record_entry.h"

#include "records/spreadsheet_rows.h"

#include <optional>
#include <utility>

namespace teb::records {
namespace {

constexpr std::size_t kDateLength = 8;
constexpr std::size_t kTimeStart = 9;
constexpr std::size_t kTimeLength = 8;
constexpr int kDateColumn = 1;
constexpr int kValueColumn = 2;
constexpr int kUidColumn = 4;

int pageDataColumn(int page) { return 3 * page + 3; }

std::string row(const std::string &cells) { return rowStart() + cells + rowEnd(); }

std::string labelledRow(std::string_view label, std::string_view value)
{
    return row(labelCell(kDateColumn, label) + labelCell(kValueColumn, value));
}

std::string pageRow(const RecordEntry &entry, std::string_view stamp, bool hex)
{
    const std::string_view date = stamp.substr(0, kDateLength);
    const std::string_view time = stamp.size() > kTimeStart ? stamp.substr(kTimeStart, kTimeLength) : "";
    std::string cells = dataCell(date) + dataCell(time) + emptyCell() + dataCell(entry.uid) + emptyCell();
    for (const EntryPage &page : entry.pages) {
        if (page.filled)
            cells += dataCell(hex ? page.hexText : page.asciiText) + (page.lockMark ? lockMarkCell() : emptyCell());
        else
            cells += emptyCell() + emptyCell();
        cells += emptyCell();
    }
    return row(cells);
}

// The one data source row, by the first source flag in the order the
// automatic cycle tests them, so the header names the source really used.
std::optional<std::pair<std::string, std::string>> dataSourceRow(const ParameterSet &set)
{
    if (set.useCsvFile || set.csvFileComplete)
        return std::pair<std::string, std::string>{"csv file:", set.csvFileName};
    if (set.useDecimalCounter)
        return std::pair<std::string, std::string>{"Decimal counter:", "true"};
    if (set.useFixData)
        return std::pair<std::string, std::string>{"fix data:", "true"};
    return std::nullopt;
}

} // namespace

std::string entryRows(const RecordEntry &entry, std::string_view stamp)
{
    return pageRow(entry, stamp, true) + pageRow(entry, stamp, false) + emptyRow();
}

std::string columnHeaderRows()
{
    std::string titles = labelCell(kDateColumn, "Date:") + labelCell(kValueColumn, "Time:") +
                         labelCell(kUidColumn, "UID");
    std::string dataAndLock;
    for (int page = 1; page <= kPageCount; ++page) {
        titles += labelCell(pageDataColumn(page), "Page " + std::to_string(page));
        dataAndLock += labelCell(pageDataColumn(page), "Data:") + labelCell(pageDataColumn(page) + 1, "Lock:");
    }
    return row(titles) + row(dataAndLock);
}

std::string jobHeaderRows(std::string_view setName, const ParameterSet &set)
{
    std::string rows = emptyRow() + emptyRow() + emptyRow();
    rows += row(dataCell("Procedure:") + labelCell(kValueColumn, setName));
    rows += emptyRow();
    rows += labelledRow("Operator badge ID#:", set.operatorBadgeId);
    rows += labelledRow("Part number:", set.partNumber);
    rows += labelledRow("Work order number:", set.workOrderNumber);
    rows += labelledRow("Quantity:", set.quantity);
    rows += emptyRow();
    if (const auto source = dataSourceRow(set))
        rows += labelledRow(source->first, source->second);
    rows += emptyRow();
    if (!set.csvFileComplete) {
        rows += labelledRow("Carrier ID Offset:", set.carrierIdOffset);
        rows += labelledRow("Carrier ID Length:", set.carrierIdLength);
        rows += labelledRow("Lock Carrier ID:", set.lockCarrierId ? "true" : "false");
        rows += labelledRow("Memory Page:", set.memoryPage);
    }
    rows += emptyRow();
    rows += labelledRow("Transponder type:", set.transponderTi ? "TI Multipage" : "Orvex Multipage");
    rows += emptyRow();
    return rows + columnHeaderRows();
}

std::string manualLogHeaderRows(ManualLogKind kind)
{
    return emptyRow() + emptyRow() + row(labelCell(kDateColumn, kind == ManualLogKind::Read ? "Read" : "Write")) +
           emptyRow() + columnHeaderRows();
}

} // namespace teb::records
