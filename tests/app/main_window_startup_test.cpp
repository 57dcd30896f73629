#include "main_window_fixture.h"

#include "params/station_settings.h"

#include <filesystem>

namespace teb::test {
namespace {

using ::testing::ElementsAre;

using StartWithoutSettingsFile = MainWindowTest;

TEST_F(StartWithoutSettingsFile, StartsManualHexAndWritesEveryKeyOnTheWayOut)
{
    CQV58Dlg &w = start();
    EXPECT_FALSE(w.link().portOpen || w.pages().automaticMode || w.pages().asciiFormat);
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
    EXPECT_FALSE(w.terminal().terminalVisible);
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
    FakeMainWindowView view;
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

    EXPECT_EQ(w.job().csvDelimiter, ";");
    EXPECT_EQ(w.pages().pageDefault[0], "11 11 11 11 11 11 11 11");
    EXPECT_EQ(shown(pageBox(2)), "41 42 43 44 45 46 47 48");
    EXPECT_TRUE(w.manual().manualTypeTi);

    view.setText(pageBox(4), "typed after start");
    w.destroy();

    expected.pageText[3] = "typed after start";
    EXPECT_EQ(loadSettings(dir.path()), expected); // the read-only keys too
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

} // namespace
} // namespace teb::test
