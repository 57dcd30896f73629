// The power-cut model itself: only what was synced survives, a new or
// renamed name only once its folder was synced, SQLite's commits included.
#include "power_cut.h"

#include "common/file_layer.h"
#include "journal/carrier_id_journal.h"
#include "support/counter_entry.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace teb::test {
namespace {

namespace fs = std::filesystem;

class PowerCut : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(folder);
        writeFileBytes(folder / "kept", "old");
        power_cut::makeDurable(folder, shadow);
        power_cut::watch(folder, shadow);
    }
    void TearDown() override { power_cut::stopWatching(); }

    void cut() { power_cut::losePower(folder, shadow); }

    static void write(const fs::path &file, const std::string &bytes, bool synced)
    {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_TRUE(fd >= 0 && writeAll(fd, bytes));
        if (synced) {
            ASSERT_EQ(::fsync(fd), 0);
        }
        ::close(fd);
    }

    TempDir dir;
    fs::path folder = dir / "station";
    fs::path shadow = dir / "disk";
};

TEST_F(PowerCut, KeepsAFileAsItWasAtItsLastSync)
{
    write(folder / "kept", "unsynced", false);
    cut();
    EXPECT_EQ(readFileBytes(folder / "kept"), "old");

    write(folder / "kept", "synced", true);
    cut();
    EXPECT_EQ(readFileBytes(folder / "kept"), "synced");
    EXPECT_EQ(power_cut::syncsSeen(), 1);
}

TEST_F(PowerCut, ANewNameNeedsItsFolderSynced)
{
    write(folder / "synced-file", "data", true);
    cut();
    EXPECT_FALSE(fs::exists(folder / "synced-file")) << "its folder was never synced";

    write(folder / "named-only", "data", false);
    ASSERT_TRUE(syncDirectory(folder));
    cut();
    ASSERT_TRUE(fs::exists(folder / "named-only"));
    EXPECT_EQ(readFileBytes(folder / "named-only"), "") << "named, but its bytes were never synced";
}

// A rename is lost without its folder sync; the file layer's replacement has one.
TEST_F(PowerCut, ARenameSurvivesOnlyWithItsFolderSynced)
{
    write(folder / "kept.tmp", "new", true);
    fs::rename(folder / "kept.tmp", folder / "kept");
    cut();
    EXPECT_EQ(readFileBytes(folder / "kept"), "old");

    write(folder / "kept.tmp", "new", true);
    fs::rename(folder / "kept.tmp", folder / "kept");
    ASSERT_TRUE(syncDirectory(folder));
    cut();
    EXPECT_EQ(readFileBytes(folder / "kept"), "new");
    EXPECT_FALSE(fs::exists(folder / "kept.tmp"));

    const auto replaced = replaceFileAtomically(folder / "kept", "replaced");
    ASSERT_TRUE(replaced && *replaced == ReplaceResult::Replaced);
    cut();
    EXPECT_EQ(readFileBytes(folder / "kept"), "replaced");
}

// SQLite's own writes and syncs pass through the model too: a reservation
// survives a cut the moment it returns, and the journal opens on what is left.
TEST_F(PowerCut, AReservationSurvivesACutAsSoonAsItReturns)
{
    const JournalEntry entry = counterEntry("0000000000000001", "E0040150");
    const pid_t station = ::fork();
    if (station == 0) { // the journal is never closed: no checkpoint at its end saves it
        auto journal = CarrierIdJournal::openFile(journalFilePath(folder), "bench");
        journal->reserve(entry);
        ::kill(::getpid(), SIGKILL);
    }
    ASSERT_GT(station, 0);
    ::waitpid(station, nullptr, 0);
    cut();
    auto journal = CarrierIdJournal::openFile(journalFilePath(folder), "bench");
    const auto holder = journal->holderOf(entry.carrierId);
    ASSERT_TRUE(holder) << "the reservation's commit was not durable";
    EXPECT_EQ(holder->uid, "E0040150");
}

} // namespace
} // namespace teb::test
