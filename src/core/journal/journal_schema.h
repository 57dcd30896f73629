#pragma once

#include <string_view>
#include <vector>

// The journal's tables. The schema carries a version number; a station meets
// a newer one with a refusal instead of writing into it.
namespace teb::journal_schema {

inline constexpr int kVersion = 1;

// The statements that create the tables and indexes when they are missing.
const std::vector<std::string_view> &creationStatements();

} // namespace teb::journal_schema
