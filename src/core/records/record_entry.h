#pragma once

#include "params/parameter_set.h"

#include <array>
#include <string>
#include <string_view>

// What one entry of the record file or the manual log holds, and the rows
// that carry it. Nothing here knows the main window: the caller says which
// pages are filled.
namespace teb::records {

struct EntryPage {
    bool filled = false;   // data and lock cells written; else two empty cells
    std::string hexText;   // Row A
    std::string asciiText; // Row B
    bool lockMark = false; // "X" in the lock cell
};

struct RecordEntry {
    std::string uid; // empty: an empty UID cell
    std::array<EntryPage, kPageCount> pages;
};

// Which kind of manual operation an entry of the manual log stands for.
enum class ManualLogKind { Read, Write };

// Row A (HEX texts), Row B (ASCII texts) and one empty row, dated by the
// 17-character stamp "dd/mm/yy;hh:mm:ss".
std::string entryRows(const RecordEntry &entry, std::string_view stamp);

// The two column header rows ("Date:", "Time:", "UID", "Page n"; "Data:",
// "Lock:").
std::string columnHeaderRows();

// The record file's job header block for the current parameter set, ending
// with the column header rows.
std::string jobHeaderRows(std::string_view setName, const ParameterSet &set);

// The header a manual log writes before each of its entries: two empty rows,
// "Read" or "Write", an empty row and the column header rows.
std::string manualLogHeaderRows(ManualLogKind kind);

} // namespace teb::records
