#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace teb::bench {

// The columns a journal entry fills, in the order the fills give them.
inline constexpr std::string_view kCycleColumns =
    "(carrier_key, carrier_hex, carrier_id, numeric_id, id_length, set_name, source, position, csv_file,"
    " csv_row_hex, csv_delimiter, csv_marked, counter_page_value, counter_start, job, uid, state, reserved_at,"
    " finished_at, station, pages_hex, pages_locked)";

// Fills a SQLite journal through the sqlite3 shell in one transaction, as the
// station writes its entries (17 pages each): nine in ten a decimal counter
// set's programmed IDs in a row from 1 (set "job", eight digits), the rest
// marked CSV rows (set "ids"). `before` and `after` run around it (an index
// dropped, a pragma). Ends the program when the shell fails.
void fillSqliteJournal(const std::filesystem::path &file, int entries, const std::string &before = {},
                       const std::string &after = {});

} // namespace teb::bench
