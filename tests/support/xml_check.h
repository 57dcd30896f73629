#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace teb::test {

// Runs "xmllint --noout" on the file; empty when it is well-formed XML,
// otherwise what xmllint said.
std::string xmlFaults(const std::filesystem::path &file);

// The records in a record file whose UID starts with `uidStart`; both rows of
// a record carry its UID.
std::size_t recordsOf(const std::filesystem::path &file, const std::string &uidStart);

// The records per UID in a record file, read once (for many UIDs).
std::map<std::string, std::size_t> recordsPerUid(const std::filesystem::path &file);

} // namespace teb::test
