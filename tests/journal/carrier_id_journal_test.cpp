// The carrier-ID journal on SQLite: one holder per carrier ID, the counter's
// free numbers, and the files it refuses to work with.
#include "journal/carrier_id_journal.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace teb {
namespace {

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

class JournalTest : public ::testing::Test {
protected:
    std::unique_ptr<CarrierIdJournal> open()
    {
        return CarrierIdJournal::openFile(journalFilePath(dir.path()), "bench-1", [] { return std::string("2026-12-07 10:00:00"); });
    }

    test::TempDir dir;
};

TEST_F(JournalTest, ACarrierIdHasOneHolderUntilItsCycleFailed)
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

    // What a restart finds: the file holds it all.
    journal.reset();
    journal = open();
    EXPECT_EQ(journal->holderOf("0042")->state, CycleState::Programmed);
    EXPECT_EQ(journal->history("0042").size(), 2u);
    EXPECT_EQ(journal->history("UID00002").size(), 1u);
}

TEST_F(JournalTest, ACycleCutOffWhileReservedIsUncertainAfterARestart)
{
    auto journal = open();
    journal->reserve(counterEntry("0007", "UID00007"));
    journal.reset();
    journal = open();
    const auto interrupted = journal->closeInterruptedCycles();
    ASSERT_EQ(interrupted.size(), 1u);
    EXPECT_EQ(interrupted[0].state, CycleState::Uncertain);
    EXPECT_EQ(journal->holderOf("0007")->state, CycleState::Uncertain);
    EXPECT_TRUE(journal->closeInterruptedCycles().empty());
}

TEST_F(JournalTest, TheCounterSkipsEveryNumberHeldWhateverItsSource)
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

TEST_F(JournalTest, FixedDataCountsPerJobAndCounterPagesPerStart)
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

TEST_F(JournalTest, AJournalThatCannotBeUsedIsRefusedWithItsFileAndReason)
{
    test::writeFileBytes(journalFilePath(dir.path()), std::string(4096, 'x'));
    try {
        open();
        FAIL() << "a damaged journal was opened";
    } catch (const JournalError &error) {
        EXPECT_NE(std::string(error.what()).find(journalFilePath(dir.path()).string()), std::string::npos);
    }
    std::filesystem::remove(journalFilePath(dir.path()));
    std::filesystem::create_directory(journalFilePath(dir.path()));
    EXPECT_THROW(open(), JournalError);
    std::filesystem::remove(journalFilePath(dir.path()));

    if (::geteuid() != 0) { // root writes into read-only folders
        ::chmod(dir.path().c_str(), 0555);
        EXPECT_THROW(open(), JournalError);
        ::chmod(dir.path().c_str(), 0755);
    }
}

TEST_F(JournalTest, ANewerSchemaIsRefused)
{
    open()->reserve(counterEntry("0001", "U"));
    {
        auto journal = open();
    }
    // A newer station has written its version.
    const std::string command = "sqlite3 '" + journalFilePath(dir.path()).string() +
                                "' 'UPDATE journal_schema SET version = 99'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_THROW(open(), JournalError);
}

} // namespace
} // namespace teb
