#pragma once

#include "automatic/csv_rows.h"

#include <filesystem>
#include <string_view>

// Marking a CSV row processed: the row that was read, found again by its line
// number and checked to be byte for byte the row that was read, gets its "X"
// and nothing else of the file changes. The file is replaced atomically.
namespace teb {

enum class MarkResult {
    Marked,
    NoAccess,    // the file cannot be read
    NotWritable, // read-only
    RowChanged,  // the row is no longer there as it was read (or already marked)
    WriteFailed,
};

MarkResult markRowProcessed(const std::filesystem::path &file, CsvFormat format, const CsvRow &row,
                            std::string_view delimiter);

} // namespace teb
