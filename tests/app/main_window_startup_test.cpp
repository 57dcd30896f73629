#include "main_window_fixture.h"

#include "params/station_settings.h"

#include <filesystem>
#include <regex>
#include <set>

namespace teb::test {
namespace {

using ::testing::ElementsAre;

// The keys of all "key=value" lines of a profile file.
std::set<std::string> keysOf(const std::string &file)
{
    std::set<std::string> keys;
    const std::regex keyLine("^([^=\\[\\r\\n]+)=", std::regex::multiline);
    for (auto it = std::sregex_iterator(file.begin(), file.end(), keyLine); it != std::sregex_iterator(); ++it)
        keys.insert((*it)[1]);
    return keys;
}

using StartWithoutSettingsFile = MainWindowTest;

TEST_F(StartWithoutSettingsFile, ReportsThePortStartsManualHexNarrowAndWritesEveryKeyOnTheWayOut)
{
    CQV58Dlg &w = start();

    EXPECT_THAT(dialogs.messages,
                ElementsAre(MessageRequest{" could not be opened!\r\nNo port is chosen: pick one in \"Interface\" / "
                                           "\"Settings\".",
                                           "Error", MessageIcon::Stop, MessageButtons::Ok}));
    EXPECT_FALSE(w.link().portOpen || w.pages().automaticMode || w.pages().asciiFormat);
    EXPECT_EQ(std::pair(view.width, view.height), std::pair(799, 461));
    EXPECT_FALSE(view.menuChecks.at(MenuItem::TerminalShow));
    EXPECT_EQ(view.title, "Tag Encoder Bench");
    EXPECT_THAT(view.systemMenuItems, ElementsAre("Inf&o \xFC" "ber QV58..."));
    EXPECT_THAT(view.timerLog, ElementsAre("start 3 10", "start 5 500"));
    for (Control on : {Control::HexSwitch, Control::ManualSwitch, Control::OrvexSwitch})
        EXPECT_EQ(view.control(on).switchOn, true) << ::testing::PrintToString(on);
    EXPECT_EQ(shown(Control::ContOnButton), "  Cont On");
    EXPECT_FALSE(view.control(Control::ContOnButton).enabled);

    w.destroy();

    std::set<std::string> written{"port", "baudrate", "databits", "stopbits", "parity", "Flowcontrol", "SelectConfig",
                                  "Pruefablauf_ist", "Pruefablaeufe", "Carrier ID Max", "SelectAll", "Format",
                                  "Carrier ID Offset", "Carrier ID Length", "Carrier ID", "Log", "Type", "file name"};
    for (int page = 1; page <= 17; ++page)
        written.insert({"SelectP" + std::to_string(page), "P" + std::to_string(page)});
    EXPECT_EQ(keysOf(settingsFile()), written); // never "csv delimiter" or "P1Default" .. "P17Default"
    EXPECT_NE(settingsFile().find("Type=0\r\n"), std::string::npos);
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
    EXPECT_TRUE(std::filesystem::is_directory(dir / "TagEncoderBench.ini"));
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
    EXPECT_FALSE(window.pages().automaticMode || window.pages().asciiFormat);
}

using StartWithSettingsFile = MainWindowTest;

TEST_F(StartWithSettingsFile, TakesOverEveryValueAndWritesBackWhatTheControlsShowLeavingTheReadOnlyKeys)
{
    const std::string name51 = "/" + std::string(46, 'a') + ".xml"; // the longest shown in full
    writeSettings(iniLines({"[Interface]", "port=COM9", "baudrate=9600", "databits=7", "stopbits=2", "parity=Even",
                            "Flowcontrol=Hardware", "[Auto]", "SelectConfig=0", "Pruefablauf_ist=Job",
                            "Pruefablaeufe=2", "Pruefablauf_0=Job", "Pruefablauf_1=Other",
                            "Carrier ID Max=18446744073709551615", "csv delimiter=;", "[Data]", "SelectAll=0",
                            "SelectP1=1", "SelectP3=1", "Format=0", "P2=41 42 43 44 45 46 47 48",
                            "P1Default=11 11 11 11 11 11 11 11", "[Manual]", "Carrier ID Offset=2",
                            "Carrier ID Length=6", "Carrier ID=ABC123", "Log=1", "Type=1",
                            "file name=" + name51}));
    StationSettings expected = loadSettings(dir.path());
    CQV58Dlg &w = start();

    EXPECT_THAT(dialogs.messages.at(0).text, ::testing::StartsWith("COM9 could not be opened!\r\n"));
    EXPECT_EQ(w.job().csvDelimiter, ";");
    EXPECT_EQ(w.pages().pageDefault[0], "11 11 11 11 11 11 11 11");
    EXPECT_EQ(shown(pageBox(2)), "41 42 43 44 45 46 47 48");
    EXPECT_EQ(view.control(Control::TiSwitch).switchOn, true);
    EXPECT_EQ(shown(Control::LogFileLabel), name51);

    view.setText(pageBox(4), "typed after start");
    w.destroy();

    expected.pageText[3] = "typed after start";
    EXPECT_EQ(loadSettings(dir.path()), expected);
    EXPECT_NE(settingsFile().find("csv delimiter=;\r\n"), std::string::npos);
    EXPECT_NE(settingsFile().find("P1Default=11 11 11 11 11 11 11 11\r\n"), std::string::npos);
}

TEST_F(MainWindowWithReader, OpensThePortSendsTheCommandLineAndTheCloseBoxFreesThePortBeforeTheSettingsAreWritten)
{
    CQV58Dlg &w = start();
    EXPECT_TRUE(w.link().portOpen && isUsablePort(w.link().portHandle));
    EXPECT_TRUE(dialogs.messages.empty());

    view.setText(Control::TerminalInput, "RUID");
    w.enterPressed(Control::TerminalInput);
    EXPECT_TRUE(eventually([&] {
        view.deliverPosted();
        return !view.text(Control::TerminalView).empty();
    })) << "the answer tops the view";
    EXPECT_THAT(simulator.receivedLines(), ElementsAre("RUID"));
    EXPECT_THAT(view.selections, ElementsAre(Control::TerminalInput));

    w.closeRequest();
    EXPECT_EQ(view.endResult, DialogResult::Cancel);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(w.link().portOpen || w.readerPort().receiveThreadRunning());
    ReaderPort other; // the port is not shared: it opens again only once it is free
    other.setWorkingDirectory(dir.path());
    const PortHandle handle = other.Open(w.link().interfaceSettings);
    EXPECT_TRUE(isUsablePort(handle));
    other.Close(handle);

    w.destroy();
    EXPECT_NE(settingsFile().find("port=COM7\r\n"), std::string::npos);
}

} // namespace
} // namespace teb::test
