#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The rows of the two CSV formats: which header each needs, which row is
// processed (one test, used for reading and marking alike) and where the "X"
// of a processed row goes.
//
// Simple format: "Carrier ID<d>done", then rows "<id><d>" ("<id><d>X" once
// processed). Complete format: 35 named columns each followed by the
// delimiter, then "done"; a row is its 35 fields each followed by the
// delimiter, then an empty field that becomes "X".
namespace teb {

enum class CsvFormat { Simple, Complete };

inline constexpr std::size_t kCompleteFieldCount = 35;

// A row as it was read: its line number (the header is line 0) and its text.
struct CsvRow {
    std::size_t lineIndex = 0;
    std::string text;

    bool operator==(const CsvRow &) const = default;
};

bool headerFits(CsvFormat format, std::string_view header, std::string_view delimiter);

// Where in the row the "X" goes: right after the delimiter that follows the
// carrier ID (simple) or the 35th field (complete). Empty when the row lacks
// that delimiter, or a complete row has not exactly 35 fields and the done
// field.
std::optional<std::size_t> markPosition(CsvFormat format, std::string_view row, std::string_view delimiter);

// A row is processed when its done field starts with "X". A row without a
// done field is never processed.
bool isProcessedRow(CsvFormat format, std::string_view row, std::string_view delimiter);

// Whether a row may be offered (the journal holds no other transponder for it).
using RowFilter = std::function<bool(std::string_view row)>;

// The first unprocessed row after the header that the filter (when given)
// lets through; empty when the header does not fit or no row up to the first
// empty line is left.
std::optional<CsvRow> firstUnprocessedRow(CsvFormat format, std::string_view content, std::string_view delimiter,
                                          const RowFilter &offered = {});

// The carrier ID field of a simple row: the text before the first delimiter,
// empty when the row has none.
std::string simpleRowCarrierId(std::string_view row, std::string_view delimiter);

} // namespace teb
