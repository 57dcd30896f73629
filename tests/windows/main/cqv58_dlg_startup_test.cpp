// The window's start and way out, and what a failed cycle tells.
#include "cqv58_dlg_fixture.h"

#include "params/station_settings.h"
#include "windows/main/cycle_result.h"
#include "windows/main/station_status.h"
#include "windows/main/time_of_day.h"

#include <filesystem>

namespace teb::test {
namespace {

using ::testing::ElementsAre;

using StartWithoutSettingsFile = MainWindowTest;

TEST_F(StartWithoutSettingsFile, StartsManualHexAndWritesEveryKeyOnTheWayOut)
{
    CQV58Dlg &w = start();
    EXPECT_FALSE(w.parts().link.state().portOpen || w.parts().pages.state().automaticMode || w.parts().pages.state().asciiFormat);
    EXPECT_THAT(view.timerLog, ElementsAre("start 3 10", "start 5 500"));
    // No port chosen yet: the strip says so and where to choose one, no box.
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(shown(Control::StatusPort), "no port chosen");
    EXPECT_EQ(shown(Control::StatusReader), "choose the reader's port in \"Interface\" / \"Settings\"");

    w.destroy();

    const std::string written = settingsFile(); // its keys and order: the settings file's golden file
    EXPECT_NE(written.find("SelectP17=0\r\n"), std::string::npos);
    EXPECT_EQ(written.find("csv delimiter"), std::string::npos);
}

// A settings file that cannot be replaced must not vanish silently. The way
// out runs once, whatever calls it again, and nothing runs after it.
TEST_F(StartWithoutSettingsFile, SaysSoWhenTheSettingsCannotBeWrittenAndEndsOnce)
{
    CQV58Dlg &w = start();
    std::filesystem::create_directory(dir / "TagEncoderBench.ini");
    dialogs.messages.clear();

    w.destroy();
    w.destroy();
    w.menuCommand(MenuItem::TerminalShow);

    EXPECT_THAT(dialogs.messages,
                ElementsAre(MessageRequest{"The settings could not be saved in TagEncoderBench.ini.\r\nThe file was "
                                           "left as it was.",
                                           "Tag Encoder Bench", MessageIcon::Stop, MessageButtons::Ok}));
    EXPECT_THAT(view.timerLog, ElementsAre("start 3 10", "start 5 500", "stop 3", "stop 5"));
    EXPECT_FALSE(w.parts().terminal.state().terminalVisible);
}

// Started in a directory that was removed: the station does not end with an
// exception but starts with its defaults and says why.
TEST(StartInARemovedDirectory, StartsWithTheDefaultsAndSaysSo)
{
    const std::filesystem::path previous = std::filesystem::current_path();
    TempDir parent;
    const std::filesystem::path gone = parent / "gone";
    std::filesystem::create_directory(gone);
    std::filesystem::current_path(gone);
    std::filesystem::remove(gone);
    FakeCQV58DlgView view;
    FakeDialogHost dialogs;
    CQV58Dlg window(view, dialogs);
    view.attach(window);
    EXPECT_NO_THROW(window.initialise());
    EXPECT_NO_THROW(window.destroy());
    std::filesystem::current_path(previous);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.front().text, kNoWorkingDirectoryText);
}

using StartWithSettingsFile = MainWindowTest;

TEST_F(StartWithSettingsFile, TakesOverEveryValueAndWritesBackWhatTheControlsShowLeavingTheReadOnlyKeys)
{
    writeSettings(iniLines({"[Interface]", "port=COM9", "baudrate=9600", "databits=7", "stopbits=2", "parity=Even",
                            "Flowcontrol=Hardware", "[Auto]", "SelectConfig=0", "Pruefablauf_ist=Job",
                            "Pruefablaeufe=2", "Pruefablauf_0=Job", "Pruefablauf_1=Other",
                            "Carrier ID Max=18446744073709551615", "csv delimiter=;", "[Data]", "SelectAll=0",
                            "SelectP1=1", "SelectP3=1", "Format=0", "P2=41 42 43 44 45 46 47 48",
                            "P1Default=11 11 11 11 11 11 11 11", "[Manual]", "Carrier ID Offset=2",
                            "Carrier ID Length=6", "Carrier ID=ABC123", "Log=1", "Type=1",
                            "file name=/m.xml"}));
    StationSettings expected = loadSettings(dir.path());
    CQV58Dlg &w = start();

    EXPECT_EQ(w.parts().job.state().csvDelimiter, ";");
    EXPECT_EQ(w.parts().pages.state().pageDefault[0], "11 11 11 11 11 11 11 11");
    EXPECT_EQ(shown(pageBox(2)), "41 42 43 44 45 46 47 48");
    EXPECT_TRUE(w.parts().manual.state().manualTypeTi);

    view.setText(pageBox(4), "typed after start");
    w.destroy();

    expected.pageText[3] = "typed after start";
    EXPECT_EQ(loadSettings(dir.path()), expected); // the read-only keys too
}

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

} // namespace
} // namespace teb::test
