// The journal as the window meets it: the cycles cut off, files of earlier
// versions it cannot take over, a journal that was not there at start-up,
// and the server setting.
#include "windows/main/cqv58_dlg_fixture.h"

#include "support/postgres_database.h"

#include <cstdlib>

namespace teb::test {
namespace {

using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr std::string_view kCutOff = "These cycles were cut off";

class WindowJournalTest : public MainWindowTest {
protected:
    void writeJob(const std::vector<std::string> &journalLines = {"[Journal]", "Station=bench-1"})
    {
        writeCounterJob("7", "4", journalLines);
    }
    void reserveAs(const std::string &station, const std::string &carrierId)
    {
        CarrierIdJournal::openFile(journalFilePath(dir.path()), station)->reserve(counterEntry(carrierId, "UID" + carrierId));
    }
    void restart()
    {
        window.reset();
        dialogs.messages.clear();
        start();
    }
    std::vector<std::string> messagesWith(std::string_view part) const
    {
        std::vector<std::string> found;
        for (const MessageRequest &message : dialogs.messages)
            if (message.text.find(part) != std::string::npos)
                found.push_back(message.text);
        return found;
    }
};

// Killed at a lock: the next start lists the cycle, the one after does not;
// another station's cut-off cycle is its own to list.
TEST_F(WindowJournalTest, ACutOffCycleIsListedOnceByItsOwnStation)
{
    writeJob();
    reserveAs("bench-1", "0042");
    reserveAs("bench-2", "0043");
    start();
    const auto listed = messagesWith(kCutOff);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_THAT(listed[0], AllOf(HasSubstr("carrier ID 0042"), Not(HasSubstr("0043"))));
    restart();
    EXPECT_TRUE(messagesWith(kCutOff).empty());
}

// A progress file whose numbers do not fit (2^63 wrapped and took over
// nothing) is kept and holds its set back until it is repaired.
TEST_F(WindowJournalTest, ADamagedProgressFileIsKeptAndHoldsItsSetBack)
{
    writeJob();
    const auto progress = dir / "job.progress";
    const auto progressWith = [](const std::string &next) {
        return iniLines({"[Progress]", "Start Carrier ID=7", "Start Counter Value=", "Carrier ID=" + next,
                         "Counter Value="});
    };
    for (const std::string &damaged : {std::string("9223372036854775808"), std::string("x12"), std::string()}) {
        SCOPED_TRACE(damaged);
        writeFileBytes(progress, damaged.empty() ? "" : progressWith(damaged));
        restart();
        ASSERT_EQ(messagesWith(progress.string()).size(), 1u);
        EXPECT_TRUE(std::filesystem::exists(progress));
        pressOne();
        EXPECT_EQ(messagesWith(progress.string()).size(), 1u) << "One is refused, naming the file";
        EXPECT_EQ(shown(Control::NextBox), "7");
    }
    writeFileBytes(progress, progressWith("31"));
    pressOne(); // taken over now; the cycle goes on to the reader
    EXPECT_TRUE(messagesWith(progress.string()).empty());
    EXPECT_FALSE(std::filesystem::exists(progress));
    EXPECT_EQ(window->parts().job.state().journal->firstFreeNumber(7, 4), 31u);
}

// A damaged pending mark may name any CSV row: CSV sets wait for it.
TEST_F(WindowJournalTest, ADamagedPendingMarkHoldsCsvSetsBack)
{
    writeJob();
    writeFileBytes(dir / "TagEncoderBench.pending", "Pending csv mark\nFormat: Simple\nLine: 99999999999999999999999\n");
    start();
    ASSERT_EQ(messagesWith("TagEncoderBench.pending").size(), 1u);
    writeSetFile("job", setFile(false, "csv file", "Carrier ID Length=2"));
    restart();
    pressOne();
    EXPECT_EQ(messagesWith("TagEncoderBench.pending").size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(dir / "TagEncoderBench.pending"));
}

// The journal could not be opened at start-up: "One" and the journal window
// open it as soon as it can be.
TEST_F(WindowJournalTest, AJournalMissingAtStartUpIsOpenedByOneAndByTheJournalWindow)
{
    writeJob();
    for (const bool byOne : {true, false}) {
        std::filesystem::create_directory(journalFilePath(dir.path()));
        restart();
        ASSERT_FALSE(window->parts().job.state().journal);
        std::filesystem::remove(journalFilePath(dir.path()));
        if (byOne)
            pressOne();
        else
            window->menuCommand(MenuItem::FileJournal);
        EXPECT_TRUE(window->parts().job.state().journal) << byOne;
        std::filesystem::remove(journalFilePath(dir.path()));
    }
}

// A value that reached the settings reader's limit may have been cut: it is
// refused with its reason, never tried as another server.
TEST_F(WindowJournalTest, AServerSettingAtTheReadLimitIsRefused)
{
    writeJob({"[Journal]", "Server=host=127.0.0.1 port=1 application_name=" + std::string(300, 'a')});
    start();
    EXPECT_FALSE(window->parts().job.state().journal);
    EXPECT_EQ(messagesWith("259 characters or more").size(), 1u);
}

TEST_F(WindowJournalTest, PostgresTheStatusStripNamesTheServerWithoutItsPassword)
{
    PostgresDatabase server;
    TEB_NEED_POSTGRES(server);
    const char *password = std::getenv("PGPASSWORD");
    const std::string secret = password != nullptr ? password : "";
    writeJob({"[Journal]", "Server=password = '" + secret + "' dbname = " + server.name(), "Station=bench-1"});
    start();
    ASSERT_TRUE(window->parts().job.state().journal);
    const std::string status = shown(Control::StatusJob);
    EXPECT_THAT(status, HasSubstr("journal on server "));
    EXPECT_THAT(status, EndsWith("/" + server.name()));
    if (!secret.empty()) {
        EXPECT_THAT(status, Not(HasSubstr(secret)));
    }
}

} // namespace
} // namespace teb::test
