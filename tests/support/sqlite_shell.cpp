#include "support/sqlite_shell.h"

#include <cstdio>

namespace teb::test {

std::string sqliteAnswer(const std::filesystem::path &file, const std::string &sql)
{
    const std::string command = "sqlite3 '" + file.string() + "' \"" + sql + "\" 2>&1";
    std::string answer;
    if (FILE *pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            answer += buffer;
        ::pclose(pipe);
    }
    return answer;
}

} // namespace teb::test
