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

std::size_t recordsOf(const std::filesystem::path &file, const std::string &uidStart)
{
    const std::string text = readFileBytes(file);
    std::size_t cells = 0;
    for (std::size_t at = text.find(">" + uidStart); at != std::string::npos; at = text.find(">" + uidStart, at + 1))
        ++cells;
    return cells / 2;
}

} // namespace teb::test
