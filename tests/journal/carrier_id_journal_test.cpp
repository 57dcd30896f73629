// The carrier-ID journal on SQLite and on a PostgreSQL server: one holder per
// carrier ID, the counter's free numbers, and what it refuses to work with.
#include "journal/carrier_id_journal.h"
#include "journal/server_text.h"
#include "support/postgres_database.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>

#include <sys/stat.h>
#include <unistd.h>

namespace teb {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::ThrowsMessage;

JournalEntry counterEntry(std::string carrierId, std::string uid)
{
    JournalEntry entry;
    entry.carrierId = std::move(carrierId);
    entry.setName = "job";
    entry.source = std::string(journal_source::decimalCounter);
    entry.position = entry.carrierId;
    entry.uid = std::move(uid);
    return entry;
}

enum class Backend { Sqlite, Postgres };

class JournalTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        if (GetParam() == Backend::Postgres) {
            server = std::make_unique<test::PostgresDatabase>();
            TEB_NEED_POSTGRES(*server);
        }
    }
    std::unique_ptr<CarrierIdJournal> open()
    {
        const auto clock = [] { return std::string("2026-12-07 10:00:00"); };
        if (GetParam() == Backend::Postgres)
            return CarrierIdJournal::openServer(server->connection(), "bench-1", clock);
        return CarrierIdJournal::openFile(journalFilePath(dir.path()), "bench-1", clock);
    }

    test::TempDir dir;
    std::unique_ptr<test::PostgresDatabase> server;
};

// A cycle cut off while reserved is uncertain after a restart.
TEST_P(JournalTest, ACarrierIdHasOneHolderUntilItsCycleFailedAndACutOffCycleIsUncertain)
{
    auto journal = open();
    const JournalEntry first = journal->reserve(counterEntry("0042", "UID00001"));
    EXPECT_THROW(journal->reserve(counterEntry("0042", "UID00002")), CarrierIdTaken);
    ASSERT_TRUE(journal->holderOf("0042"));
    EXPECT_EQ(journal->holderOf("0042")->uid, "UID00001");
    EXPECT_EQ(journal->unfinishedFor("UID00001")->id, first.id);

    journal->finish(first.id, CycleState::Failed);
    EXPECT_FALSE(journal->holderOf("0042"));
    const JournalEntry second = journal->reserve(counterEntry("0042", "UID00002"));
    journal->finish(second.id, CycleState::Programmed);
    EXPECT_EQ(journal->programmedFor("UID00002")->carrierId, "0042");
    EXPECT_FALSE(journal->programmedFor("UID00001"));
    EXPECT_TRUE(journal->unfinished().empty());

    journal->reserve(counterEntry("0007", "UID00007"));

    // What a restart finds: the file holds it all.
    journal.reset();
    journal = open();
    EXPECT_EQ(journal->holderOf("0042")->state, CycleState::Programmed);
    EXPECT_EQ(journal->history("0042").size(), 2u);
    EXPECT_EQ(journal->history("UID00002").size(), 1u);
    const auto interrupted = journal->closeInterruptedCycles();
    ASSERT_EQ(interrupted.size(), 1u);
    EXPECT_EQ(interrupted[0].state, CycleState::Uncertain);
    EXPECT_EQ(journal->holderOf("0007")->state, CycleState::Uncertain);
    EXPECT_TRUE(journal->closeInterruptedCycles().empty());
}

TEST_P(JournalTest, TheCounterSkipsEveryNumberHeldWhateverItsSource)
{
    auto journal = open();
    for (const char *id : {"0005", "0006", "0008"})
        journal->reserve(counterEntry(id, "U"));
    JournalEntry csv = counterEntry("0009", "V");
    csv.source = std::string(journal_source::csvFile);
    journal->reserve(csv);
    const JournalEntry failed = journal->reserve(counterEntry("0010", "W"));
    journal->finish(failed.id, CycleState::Failed);
    journal->takeOverProgress({"job", 4, 12, 20, "", ""}, "job.progress");

    EXPECT_EQ(journal->firstFreeNumber(1, 4), 1u);
    EXPECT_EQ(journal->firstFreeNumber(5, 4), 7u);
    EXPECT_EQ(journal->firstFreeNumber(8, 4), 10u);
    EXPECT_EQ(journal->firstFreeNumber(12, 4), 21u);
    EXPECT_EQ(journal->firstFreeNumber(5, 5), 5u) << "00005 is another carrier ID than 0005";
    EXPECT_TRUE(journal->wasTakenOver("job.progress"));
}

TEST_P(JournalTest, FixedDataCountsPerJobAndCounterPagesPerStart)
{
    auto journal = open();
    const std::int64_t job = journal->startJob("job");
    for (int i = 0; i < 3; ++i) {
        JournalEntry entry = counterEntry("", "U" + std::to_string(i));
        entry.source = std::string(journal_source::fixData);
        entry.job = job;
        entry.counterStart = "00000100";
        entry.counterPageValue = "0000010" + std::to_string(i);
        journal->reserve(entry);
    }
    EXPECT_EQ(journal->fixedDataCount("job", job), 3u);
    EXPECT_EQ(journal->currentJob("job"), job);
    EXPECT_EQ(journal->fixedDataCount("job", journal->startJob("job")), 0u);
    EXPECT_EQ(journal->lastCounterPageValue("job", "00000100"), "00000102");
    EXPECT_FALSE(journal->lastCounterPageValue("job", "00000001"));
}

TEST_P(JournalTest, ANewerSchemaIsRefused)
{
    open()->reserve(counterEntry("0001", "U"));
    // A newer station has written its version.
    if (GetParam() == Backend::Postgres) {
        ASSERT_TRUE(server->run("UPDATE journal_schema SET version = 99"));
    } else {
        const std::string command = "sqlite3 '" + journalFilePath(dir.path()).string() +
                                    "' 'UPDATE journal_schema SET version = 99'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    EXPECT_THAT([&] { open(); }, ThrowsMessage<JournalError>(HasSubstr("schema version 99 is newer")));
}

INSTANTIATE_TEST_SUITE_P(Backends, JournalTest, ::testing::Values(Backend::Sqlite, Backend::Postgres),
                         [](const auto &info) { return info.param == Backend::Sqlite ? "Sqlite" : "Postgres"; });

TEST(JournalFile, AJournalThatCannotBeUsedIsRefusedWithItsFileAndReason)
{
    test::TempDir dir;
    const auto open = [&] { return CarrierIdJournal::openFile(journalFilePath(dir.path()), "bench-1"); };
    test::writeFileBytes(journalFilePath(dir.path()), std::string(4096, 'x'));
    EXPECT_THAT(open, ThrowsMessage<JournalError>(HasSubstr(journalFilePath(dir.path()).string())));
    std::filesystem::remove(journalFilePath(dir.path()));

    if (::geteuid() != 0) { // root writes into read-only folders
        ::chmod(dir.path().c_str(), 0555);
        EXPECT_THROW(open(), JournalError);
        ::chmod(dir.path().c_str(), 0755);
    }
}

// Two stations race for one carrier ID: the database lets one have it.
TEST(JournalServer, PostgresTwoStationsNeverHoldOneCarrierId)
{
    test::PostgresDatabase server;
    TEB_NEED_POSTGRES(server);
    auto first = CarrierIdJournal::openServer(server.connection(), "bench-1");
    auto second = CarrierIdJournal::openServer(server.connection(), "bench-2");
    first->reserve(counterEntry("0042", "UID00001"));
    EXPECT_THROW(second->reserve(counterEntry("0042", "UID00002")), CarrierIdTaken);
    EXPECT_EQ(second->holderOf("0042")->station, "bench-1");
    EXPECT_EQ(second->firstFreeNumber(42, 4), 43u);
    // A station restarting closes only its own cut-off cycles.
    EXPECT_TRUE(second->closeInterruptedCycles().empty());
    EXPECT_EQ(first->closeInterruptedCycles().size(), 1u);
}

// The server drops the station's connection while a cycle ends: the end is
// kept, the ID stays held, and the end is written at the next contact.
TEST(JournalServer, PostgresAnEndTheServerDidNotTakeIsWrittenAtTheNextContact)
{
    test::PostgresDatabase server;
    TEB_NEED_POSTGRES(server);
    auto journal = CarrierIdJournal::openServer(server.connection(), "bench-1");
    const JournalEntry entry = journal->reserve(counterEntry("0042", "UID00001"));
    ASSERT_TRUE(server.run("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = current_database()"
                           " AND pid <> pg_backend_pid()"));
    EXPECT_THROW(journal->finish(entry.id, CycleState::Programmed), JournalError);
    EXPECT_TRUE(journal->hasUnwrittenEnds());
    EXPECT_EQ(journal->holderOf("0042")->state, CycleState::Programmed);
    EXPECT_FALSE(journal->hasUnwrittenEnds());
}

TEST(JournalServer, PostgresUnreachableServerIsNamedWithoutItsPassword)
{
    const std::string connection = "host=127.0.0.1 port=1 dbname=teb user=bench password='s3cr et' connect_timeout=2";
    EXPECT_THAT([&] { CarrierIdJournal::openServer(connection, "bench-1"); },
                ThrowsMessage<JournalError>(AllOf(Not(HasSubstr("s3cr")),
                                                  HasSubstr("on the server host=127.0.0.1 port=1 dbname=teb user=bench "
                                                            "connect_timeout=2"))));
    EXPECT_EQ(serverWithoutPassword("postgresql://bench:s3cret@db:5432/teb?password=x&sslmode=require"),
              "postgresql://bench@db:5432/teb?sslmode=require");
}

} // namespace
} // namespace teb
