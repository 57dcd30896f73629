#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace teb::test {

// A fresh directory under the system's temporary folder, removed with all its
// content when the object goes out of scope.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    std::filesystem::path operator/(const std::string &name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// Whole-file helpers for tests that check bytes.
std::string readFileBytes(const std::filesystem::path &file);
void writeFileBytes(const std::filesystem::path &file, const std::string &bytes);
// The names of the entries in a folder, in no particular order.
std::vector<std::string> fileNamesIn(const std::filesystem::path &folder);

} // namespace teb::test
