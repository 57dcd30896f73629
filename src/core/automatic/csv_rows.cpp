#include "automatic/csv_rows.h"

#include "automatic/csv_lines.h"

#include <array>

namespace teb {
namespace {

constexpr std::string_view kDoneColumn = "done";
constexpr std::string_view kSimpleIdColumn = "Carrier ID";

constexpr std::array<std::string_view, 5> kCompleteLeadingColumns = {
    "ASCII (A), HEX(X)", "Carrier ID offset", "Carrier ID length", "Carrier ID", "Lock Carrier ID",
};

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

bool completeHeaderFits(std::string_view header, std::string_view delimiter)
{
    const auto hasColumn = [&](std::string_view name) {
        return contains(header, std::string(name) + std::string(delimiter));
    };
    for (const std::string_view name : kCompleteLeadingColumns) {
        if (!hasColumn(name))
            return false;
    }
    for (int page = 3; page <= 17; ++page) {
        const std::string number = std::to_string(page);
        if (!hasColumn("page" + number) || !hasColumn("Lock page" + number))
            return false;
    }
    return true;
}

} // namespace

bool headerFits(CsvFormat format, std::string_view header, std::string_view delimiter)
{
    const std::string_view separator = effectiveDelimiter(delimiter);
    if (!contains(header, kDoneColumn))
        return false;
    if (format == CsvFormat::Simple)
        return contains(header, std::string(kSimpleIdColumn) + std::string(separator));
    return completeHeaderFits(header, separator);
}

std::optional<std::size_t> markPosition(CsvFormat format, std::string_view row, std::string_view delimiter)
{
    const std::string_view separator = effectiveDelimiter(delimiter);
    const auto fields = splitCsvFields(row, separator);
    const std::size_t doneField = format == CsvFormat::Simple ? 1 : kCompleteFieldCount;
    if (fields.size() <= doneField)
        return std::nullopt;
    if (format == CsvFormat::Complete && fields.size() != kCompleteFieldCount + 1)
        return std::nullopt;
    return static_cast<std::size_t>(fields[doneField].data() - row.data());
}

bool isProcessedRow(CsvFormat format, std::string_view row, std::string_view delimiter)
{
    const auto position = markPosition(format, row, delimiter);
    return position && *position < row.size() && row[*position] == 'X';
}

std::optional<CsvRow> firstUnprocessedRow(CsvFormat format, std::string_view content, std::string_view delimiter,
                                          const RowFilter &offered)
{
    CsvLineReader reader(content);
    const auto header = reader.next();
    if (!header || !headerFits(format, header->in(content), delimiter))
        return std::nullopt;
    for (std::size_t i = 1;; ++i) {
        const auto line = reader.next();
        if (!line)
            return std::nullopt;
        const std::string_view row = line->in(content);
        if (!isProcessedRow(format, row, delimiter) && (!offered || offered(row)))
            return CsvRow{i, std::string(row)};
    }
}

std::string simpleRowCarrierId(std::string_view row, std::string_view delimiter)
{
    const auto fields = splitCsvFields(row, delimiter);
    return fields.size() < 2 ? std::string() : std::string(fields[0]);
}

} // namespace teb
