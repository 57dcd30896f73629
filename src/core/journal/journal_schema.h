#pragma once

#include <string>
#include <vector>

// The journal's tables. The schema carries a version number; a station meets
// a newer one with a refusal instead of writing into it.
namespace teb::journal_schema {

inline constexpr int kVersion = 1;

enum class Dialect { Sqlite, Postgres };

// The statements that create the tables and indexes when they are missing.
std::vector<std::string> creationStatements(Dialect dialect);

} // namespace teb::journal_schema
