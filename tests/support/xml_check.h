#pragma once

#include <filesystem>
#include <string>

namespace teb::test {

// Runs "xmllint --noout" on the file; empty when it is well-formed XML,
// otherwise what xmllint said.
std::string xmlFaults(const std::filesystem::path &file);

} // namespace teb::test
