#include "support/xml_check.h"

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

} // namespace teb::test
