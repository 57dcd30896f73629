#pragma once

#include "journal/journal_entry.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The journal as the history window lists it and exports it: one row per
// cycle, newest first, the texts an operator reads.
namespace teb {

inline constexpr std::size_t kHistoryColumnCount = 9;
using HistoryRow = std::array<std::string, kHistoryColumnCount>;

// "Carrier ID", "UID", "State", "Set", "Source", "Position", "Reserved", "Finished", "Station".
const HistoryRow &historyColumnTitles();
HistoryRow historyRow(const JournalEntry &entry);

// A row as a line of the CSV file: every field quoted (a carrier ID may hold
// the delimiter), ending in CR LF. The file starts with the column titles.
std::string historyCsvLine(const HistoryRow &row);

} // namespace teb
