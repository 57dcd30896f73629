#include "journal_fill.h"

#include <cstdio>
#include <cstdlib>

namespace teb::bench {

void fillSqliteJournal(const std::filesystem::path &file, int entries, const std::string &before,
                       const std::string &after)
{
    const int counted = entries - entries / 10;
    const std::string columns(kCycleColumns);
    const std::string pages = "substr(replace(hex(zeroblob(153)), '00', '3031323334353637,'), 1, 288)";
    const std::string sql =
        before + " BEGIN; INSERT INTO cycles " + columns +
        " WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(counted) +
        ") SELECT hex(printf('%08d', i)), hex(printf('%08d', i)), printf('%08d', i), i, 8, 'job', 'Decimal counter',"
        " printf('%08d', i), '', '', '', 0, '', '', 0, printf('E004%08X', i), 'programmed', '2026-01-01 08:00:00',"
        " '2026-01-01 08:00:05', 'bench', " + pages + ", '11111111111111111' FROM n;"
        " INSERT INTO cycles " + columns +
        " WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
        std::to_string(entries - counted) +
        ") SELECT hex(printf('C%06d', i)), hex(printf('C%06d', i)), printf('C%06d', i), NULL, 7, 'ids', 'csv file',"
        " i + 1, 'ids.csv', hex(printf('C%06d,X', i)), ',', 1, '', '', 0, printf('E005%08X', i), 'programmed',"
        " '2026-01-01 08:00:00', '2026-01-01 08:00:05', 'bench', " + pages + ", '11111111111111111' FROM n;"
        " COMMIT; " + after;
    const std::string command = "sqlite3 '" + file.string() + "' \"" + sql + "\"";
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "the sqlite3 shell could not fill %s\n", file.c_str());
        std::exit(1);
    }
}

} // namespace teb::bench
