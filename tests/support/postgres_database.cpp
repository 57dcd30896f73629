#include "support/postgres_database.h"

#include <atomic>
#include <cstdlib>
#include <string>

#include <unistd.h>

namespace teb::test {
namespace {

std::string quotedForShell(const std::string &text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool runIn(const std::string &database, const std::string &sql)
{
    const std::string command = "psql -X -q -v ON_ERROR_STOP=1 -d " + quotedForShell(database) + " -c " +
                                quotedForShell(sql) + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

} // namespace

PostgresDatabase::PostgresDatabase()
{
    if (std::getenv("PGHOST") == nullptr)
        return;
    static std::atomic<int> counter{0};
    const std::string name = "teb_" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
    if (runIn("postgres", "CREATE DATABASE " + name))
        m_name = name;
}

PostgresDatabase::~PostgresDatabase()
{
    if (available())
        runIn("postgres", "DROP DATABASE IF EXISTS " + m_name + " WITH (FORCE)");
}

bool PostgresDatabase::run(const std::string &sql) const { return available() && runIn(m_name, sql); }

bool PostgresDatabase::required()
{
    const char *value = std::getenv("TEB_REQUIRE_POSTGRES");
    return value != nullptr && std::string(value) == "1";
}

} // namespace teb::test
