// The main window's link to its reader: the port opened, written on the
// way out and chosen again in "Interface" / "Settings", the command line,
// and the status strip as the reader comes and goes.
#include "windows/main/cqv58_dlg_fixture.h"

#include "windows/main/station_status.h"
#include "windows/main/time_of_day.h"

namespace teb::test {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

TEST_F(MainWindowTest, InterfaceSettingsOkTakesTheValuesReopensThePortAndRestartsTheTimers)
{
    writeSettings(iniLines({"[Interface]", "port=COM9", "baudrate=9600"}));
    CQV58Dlg &w = start();
    dialogs.messages.clear();
    view.timerLog.clear();
    dialogs.interfaceSettingsDialog = [](CI2Dlg &dialog) {
        dialog.portText = "COM4";
        dialog.baudRateText = "19200";
        return CI2DlgView::Result::Ok;
    };

    w.menuCommand(MenuItem::InterfaceSettings);

    EXPECT_EQ(w.parts().link.state().interfaceSettings.baudRate, 19200);
    EXPECT_THAT(dialogs.messageTexts(), ElementsAre(StartsWith("COM4 could not be opened!\r\n"))); // the reason below
    EXPECT_THAT(view.timerLog, ElementsAre("stop 3", "stop 5", "start 3 10", "start 5 500"));
    w.destroy();
    EXPECT_NE(settingsFile().find("port=COM4\r\n"), std::string::npos);
}

TEST_F(MainWindowWithReader, OpensThePortSendsTheCommandLineAndWritesThePortOnTheWayOut)
{
    CQV58Dlg &w = start();
    view.setText(Control::TerminalInput, "RUID");
    w.enterPressed(Control::TerminalInput);
    EXPECT_TRUE(eventually([&] {
        view.deliverPosted();
        return !view.text(Control::TerminalView).empty();
    })) << "the answer tops the view";
    EXPECT_THAT(simulator.receivedLines(), ElementsAre("RUID"));
    w.destroy();
    EXPECT_NE(settingsFile().find("port=COM7\r\n"), std::string::npos);
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
