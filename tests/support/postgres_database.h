#pragma once

#include <string>

namespace teb::test {

// A database of its own on the PostgreSQL server that the test run provides
// (scripts/test runs the suite inside pg_virtualenv, which sets PGHOST,
// PGPORT, PGUSER and PGPASSWORD); dropped again at the end. Without a server
// it is not available: the test then skips, or fails where
// TEB_REQUIRE_POSTGRES=1 says that the run must have one (CI).
class PostgresDatabase {
public:
    PostgresDatabase();
    ~PostgresDatabase();
    PostgresDatabase(const PostgresDatabase &) = delete;
    PostgresDatabase &operator=(const PostgresDatabase &) = delete;

    bool available() const { return !m_name.empty(); }
    // A libpq connection string; the server and the login come from the environment.
    std::string connection() const { return "dbname=" + m_name; }
    const std::string &name() const { return m_name; }
    // Runs an SQL command in the database; true when it succeeded.
    bool run(const std::string &sql) const;

    static bool required();

private:
    std::string m_name;
};

} // namespace teb::test

// At the start of a test that needs the server.
#define TEB_NEED_POSTGRES(database)                                                                       \
    do {                                                                                                  \
        if (!(database).available()) {                                                                    \
            if (::teb::test::PostgresDatabase::required())                                                \
                FAIL() << "TEB_REQUIRE_POSTGRES is set but no PostgreSQL server answers (PGHOST unset?)"; \
            GTEST_SKIP() << "no PostgreSQL server (PGHOST unset): this test is skipped";                  \
        }                                                                                                 \
    } while (false)
