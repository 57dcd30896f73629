#include "support/xml_check.h"
#include "support/temp_dir.h"

#include <array>
#include <cstdio>

namespace teb::test {

std::string xmlFaults(const std::filesystem::path &file)
{
    const std::string command = "xmllint --noout '" + file.string() + "' 2>&1";
    FILE *pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return "xmllint could not be started";
    std::string output;
    std::array<char, 512> buffer{};
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), got);
    const int status = ::pclose(pipe);
    if (status != 0 && output.empty())
        output = "xmllint failed with status " + std::to_string(status);
    return output;
}

// The UID is a record row's fourth cell: date, time, an empty cell, the UID.
std::map<std::string, std::size_t> recordsPerUid(const std::filesystem::path &file)
{
    constexpr std::string_view kOpen = "<Data ss:Type=\"String\">";
    constexpr std::string_view kClose = "</Data>";
    std::map<std::string, std::size_t> cells;
    const std::string text = readFileBytes(file);
    for (std::size_t row = text.find("<Row>"); row != std::string::npos; row = text.find("<Row>", row + 1)) {
        const std::size_t end = text.find("</Row>", row);
        std::size_t at = row;
        for (int cell = 0; cell < 4 && at < end; ++cell)
            at = text.find(kOpen, at + 1);
        if (at >= end)
            continue;
        const std::size_t start = at + kOpen.size();
        const std::string value = text.substr(start, text.find(kClose, start) - start);
        if (!value.empty())
            ++cells[value];
    }
    for (auto &[uid, count] : cells)
        count /= 2; // both rows of a record carry its UID
    return cells;
}

std::size_t recordsOf(const std::filesystem::path &file, const std::string &uidStart)
{
    const std::string text = readFileBytes(file);
    std::size_t cells = 0;
    for (std::size_t at = text.find(">" + uidStart); at != std::string::npos; at = text.find(">" + uidStart, at + 1))
        ++cells;
    return cells / 2;
}

} // namespace teb::test
