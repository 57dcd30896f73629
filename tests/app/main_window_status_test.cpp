// The status strip and a reader button pressed while the port is closed.
#include "main_window_fixture.h"

#include "windows/main/cycle_result.h"
#include "windows/main/station_status.h"
#include "windows/main/time_of_day.h"

namespace teb::test {
namespace {

using ::testing::ElementsAre;

// A failed cycle's reason: a stop, a closed port, the first exchange that
// failed (never a "TOR" without a number), then the cycle's first message.
TEST(CycleResult, TheReasonIsTheFirstThingThatWentWrongInWords)
{
    const auto failed = [](std::string command, bool sent, std::string answer, bool heldBack = false) {
        CycleTrack track;
        track.failure = FailedExchange{std::move(command), sent, heldBack, std::move(answer)};
        track.notices = {"Error on writing the pages of the transponder."};
        return track;
    };
    CycleTrack stopped = failed("WD 4 3030303030303030", false, "", true);
    stopped.stopped = true;
    CycleTrack quantity;
    quantity.notices = {"Quantity reached."};
    CycleTrack programmedBefore;
    programmedBefore.notices = {"This transponder already carries carrier ID 0042 (programmed 2026-05-04, set job).\r\n"
                                "Put the next transponder on the antenna."};
    const struct {
        CycleTrack track;
        bool portOpen;
        const char *reason;
    } cases[] = {
        {stopped, true, "stopped by the operator"},
        {failed("RUID", false, ""), false, "the port is closed; nothing was sent"},
        {failed("WD 12 3030303030303030", true, "#09"), true, "page 12 got the answer \"#09\" and may hold the data"},
        {failed("RUID", true, "No Read"), true, "no transponder on the antenna"},
        {failed("LD 5", true, "NAK"), true, "page 5 could not be locked: \"NAK\""},
        {failed("WD 2 3030303030303030", true, ""), true, "the reader did not answer"},
        {failed("WD 2 3030303030303030", false, ""), true, "the command could not be sent to the reader"},
        {failed("RUID", true, "E00"), true, "the UID could not be read: \"E00\""},
        {quantity, true, "quantity reached"},
        {programmedBefore, true, "This transponder already carries carrier ID 0042 (programmed 2026-05-04, set job)."},
        {CycleTrack{}, true, "the transponder was not programmed"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(failureReason(c.track, c.portOpen), c.reason);
    EXPECT_EQ(progressText(3, 20), "3 of 20 programmed");
}

// The journal as the strip names it: a file by its whole path (two folders
// may hold files of one name), a server by its host and database.
TEST(JobStatus, NamesAFileByItsPathAndAServerByHostAndDatabase)
{
    EXPECT_EQ(jobStatus("job", "/srv/bench/TagEncoderBench.journal", "").text,
              "set job \xB7 journal /srv/bench/TagEncoderBench.journal");
    EXPECT_EQ(jobStatus("job", "file:/srv/bench/teb?mode=rwc", "").text, "set job \xB7 journal file:/srv/bench/teb?mode=rwc");
    EXPECT_EQ(jobStatus("job", "on the server db.fab.example, database teb", "db.fab.example/teb").text,
              "set job \xB7 journal on server db.fab.example/teb");
    EXPECT_EQ(jobStatus("", "", "").text, "no set \xB7 no journal");
}

// After "COM9 could not be opened!" the strip says the port is closed, and
// every button that talks to the reader says that nothing was sent.
TEST_F(MainWindowTest, EveryReaderButtonSaysSoWhileThePortIsClosed)
{
    writeSettings(iniLines({"[Interface]", "port=COM9", "baudrate=9600", "databits=8"}));
    start();
    EXPECT_EQ(shown(Control::StatusPort), "COM9 9600 8N1 \xB7 closed");
    EXPECT_EQ(shown(Control::StatusReader), "reader not reachable");
    const MessageRequest closed{portClosedText("COM9"), "Tag Encoder Bench", MessageIcon::Warning, MessageButtons::Ok};
    for (const Control button : {Control::ReadButton, Control::WriteButton, Control::LockButton, Control::ReadUidButton,
                                 Control::ReadCarrierIdButton, Control::WriteCarrierIdButton, Control::SendButton}) {
        dialogs.messages.clear();
        click(button);
        EXPECT_THAT(dialogs.messages, ElementsAre(closed)) << controlInfo(button).name;
    }
    EXPECT_EQ(closed.text, "The port COM9 is not open: nothing was sent to the reader.\r\n"
                           "Choose the reader's port in \"Interface\" / \"Settings\".");
}

// The reader's state as the operator needs it: when it last answered, and
// since when it has not (the adapter pulled).
TEST_F(MainWindowWithReader, StatusStripFollowsTheReaderGoingAway)
{
    CQV58Dlg &w = start();
    EXPECT_EQ(shown(Control::StatusPort), "COM7 115200 8N1 \xB7 open");
    EXPECT_EQ(shown(Control::StatusReader), "reader not heard yet");

    const auto answered = std::chrono::system_clock::time_point{};
    w.setWallClock([&] { return answered; });
    click(Control::ReadUidButton);
    EXPECT_EQ(shown(Control::StatusReader), "reader answered at " + timeOfDay(answered));

    simulator.kill();
    const auto silent = answered + std::chrono::seconds(30);
    w.setWallClock([&] { return silent; });
    click(Control::ReadUidButton);
    EXPECT_EQ(shown(Control::StatusReader), "reader not answering since " + timeOfDay(silent));
}

} // namespace
} // namespace teb::test
