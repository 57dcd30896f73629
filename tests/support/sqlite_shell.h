#pragma once

#include <filesystem>
#include <string>

namespace teb::test {

// What the sqlite3 shell prints for `sql` on the journal file, its errors
// included: SQL run behind the station's back, or a query plan.
std::string sqliteAnswer(const std::filesystem::path &file, const std::string &sql);

} // namespace teb::test
