#pragma once

#include <filesystem>
#include <string>

namespace teb::bench {

// Fills a SQLite journal through the sqlite3 shell in one transaction, as the
// station writes its entries (17 pages each): nine in ten a decimal counter
// set's programmed IDs in a row from 1 (set "job", eight digits), the rest
// marked CSV rows (set "ids"). `before` and `after` run around it (an index
// dropped, a pragma). Ends the program when the shell fails.
void fillSqliteJournal(const std::filesystem::path &file, int entries, const std::string &before = {},
                       const std::string &after = {});

} // namespace teb::bench
