#include "main_window_fixture.h"

#include "params/station_settings.h"

#include <gmock/gmock.h>

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

std::set<std::string> keysTheStationWrites()
{
    std::set<std::string> keys{"port", "baudrate", "databits", "stopbits", "parity", "Flowcontrol", "SelectConfig",
                               "Pruefablauf_ist", "Pruefablaeufe", "Carrier ID Max", "SelectAll", "Format",
                               "Carrier ID Offset", "Carrier ID Length", "Carrier ID", "Log", "Type", "file name"};
    for (int page = 1; page <= 17; ++page) {
        keys.insert("SelectP" + std::to_string(page));
        keys.insert("P" + std::to_string(page));
    }
    return keys;
}

// A settings file with a value for every key the station reads.
std::string fullSettingsFile(const std::string &mode)
{
    return iniLines({"[Interface]", "port=COM9", "baudrate=9600", "databits=7", "stopbits=2", "parity=Even",
                     "Flowcontrol=Hardware", "[Auto]", "SelectConfig=" + mode, "Pruefablauf_ist=Job",
                     "Pruefablaeufe=2", "Pruefablauf_0=Job", "Pruefablauf_1=Other",
                     "Carrier ID Max=18446744073709551615", "csv delimiter=;", "[Data]", "SelectAll=0", "SelectP1=1",
                     "SelectP2=0", "SelectP3=1", "Format=0", "P1=30 31 32 33 34 35 36 37",
                     "P2=41 42 43 44 45 46 47 48", "P1Default=11 11 11 11 11 11 11 11", "[Manual]",
                     "Carrier ID Offset=2", "Carrier ID Length=6", "Carrier ID=ABC123", "Log=1", "Type=1",
                     "file name=/tmp/manual_log.xml"});
}

using StartWithoutSettingsFile = MainWindowTest;

TEST_F(StartWithoutSettingsFile, ReportsThePortAndStartsInManualHexModeWithTheTerminalHidden)
{
    CQV58Dlg &w = start();

    EXPECT_THAT(view.messages,
                ElementsAre(MessageRequest{" could not be opened!", "Error", MessageIcon::Stop, MessageButtons::Ok}));
    EXPECT_FALSE(w.portOpen);
    EXPECT_FALSE(w.automaticMode);
    EXPECT_FALSE(w.asciiFormat);
    EXPECT_EQ(view.width, 799);
    EXPECT_EQ(view.height, 461);
    EXPECT_FALSE(view.menuChecks.at(MenuItem::TerminalShow));
    EXPECT_EQ(view.title, "Tag Encoder Bench");
    EXPECT_THAT(view.systemMenuItems, ElementsAre("Inf&o \xFC" "ber QV58..."));
    EXPECT_EQ(w.timeBase, 160);
    EXPECT_EQ(w.csvDelimiter, ",");
    EXPECT_TRUE(w.manualTypeOrvex && !w.manualTypeTi);
    EXPECT_EQ(view.control(Control::HexSwitch).switchOn, true);
    EXPECT_EQ(view.control(Control::ManualSwitch).switchOn, true);
    EXPECT_EQ(view.control(Control::OrvexSwitch).switchOn, true);
    EXPECT_EQ(view.control(Control::LabelConfig).textColour, colour::White);
    EXPECT_EQ(view.control(Control::LogFileLabel).background, std::nullopt);
    EXPECT_EQ(view.control(Control::UidBox).background, colour::White);
    EXPECT_FALSE(view.control(Control::ContOnButton).enabled);
    EXPECT_EQ(shown(Control::ContOnButton), "  Cont On");
    EXPECT_FALSE(view.control(Control::NextDataSetButton).visible);
}

TEST_F(StartWithoutSettingsFile, RunsBothTimersAndWritesEveryKeyOnTheWayOut)
{
    CQV58Dlg &w = start();
    EXPECT_EQ(view.timers.at(3), std::chrono::milliseconds(10));
    EXPECT_EQ(view.timers.at(5), std::chrono::milliseconds(500));

    w.destroy();

    EXPECT_TRUE(view.timers.empty());
    EXPECT_EQ(keysOf(settingsFile()), keysTheStationWrites());
    EXPECT_NE(settingsFile().find("Type=0\r\n"), std::string::npos);
}

// A settings file that cannot be replaced must not vanish silently: the
// operator hears of it and the old file stays.
TEST_F(StartWithoutSettingsFile, SaysSoWhenTheSettingsCannotBeWritten)
{
    CQV58Dlg &w = start();
    std::filesystem::create_directory(dir / "TagEncoderBench.ini");
    view.messages.clear();

    w.destroy();

    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].caption, "Tag Encoder Bench");
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "TagEncoderBench.ini"));
    EXPECT_TRUE(view.timers.empty());
}

using StartWithSettingsFile = MainWindowTest;

// What is saved is checked by the round trip below; this is what is not.
TEST_F(StartWithSettingsFile, TakesOverWhatItReadsButNeverWrites)
{
    writeSettings(fullSettingsFile("0"));
    CQV58Dlg &w = start();

    EXPECT_EQ(view.messages.at(0).text, "COM9 could not be opened!");
    EXPECT_EQ(w.csvDelimiter, ";");
    EXPECT_EQ(w.pageDefault[0], "11 11 11 11 11 11 11 11");
    EXPECT_EQ(w.asciiTextKept[1], "A B C D E F G H");
    EXPECT_EQ(view.control(pageSelectBox(3)).switchOn, true);
    EXPECT_EQ(view.control(Control::TiSwitch).switchOn, true);
    EXPECT_EQ(shown(Control::LogFileLabel), "/tmp/manual_log.xml");
}

TEST_F(StartWithSettingsFile, KeepsItsValuesThroughStartAndCloseAndNeverWritesTheHandKeptKeys)
{
    writeSettings(fullSettingsFile("0"));
    const StationSettings before = loadSettings(dir.path());

    start().destroy();

    EXPECT_EQ(loadSettings(dir.path()), before);
    EXPECT_NE(settingsFile().find("csv delimiter=;\r\n"), std::string::npos);
    EXPECT_NE(settingsFile().find("P1Default=11 11 11 11 11 11 11 11\r\n"), std::string::npos);
}

TEST_F(StartWithSettingsFile, SavesWhatTheControlsShowAtTheEnd)
{
    writeSettings(fullSettingsFile("0"));
    CQV58Dlg &w = start();
    view.type(pageBox(4), "typed after start");
    view.type(Control::ManualCarrierIdOffsetBox, "5");

    w.destroy();

    const StationSettings saved = loadSettings(dir.path());
    EXPECT_EQ(saved.pageText[3], "typed after start");
    EXPECT_EQ(saved.manualCarrierIdOffset, "5");
}

TEST_F(StartWithSettingsFile, InAutomaticModeShowsTheCurrentSetAndGreysThePagesItKeepsFromTheOperator)
{
    writeSettings(fullSettingsFile("1"));
    writeSetFile("Job", setFileWithTwoEditablePages(true, "csv file"));
    CQV58Dlg &w = start();

    EXPECT_TRUE(w.automaticMode);
    EXPECT_EQ(shown(pageBox(2)), "41 42 43 44 45 46 47 48");
    EXPECT_EQ(shown(pageBox(3)), "00 00 00 00 00 00 00 00");
    EXPECT_EQ(shown(Control::NextBox), "1000");
    EXPECT_EQ(shown(Control::SetNameLabel), "Job");
    // pages 3 .. 17 and "all" follow the set; pages 1 and 2 keep their saved state
    EXPECT_TRUE(view.isChecked(pageSelectBox(1)));
    EXPECT_FALSE(view.isChecked(pageSelectBox(2)));
    EXPECT_TRUE(view.isChecked(pageSelectBox(17)) && view.isChecked(Control::SelectAll));
    for (int page = 1; page <= 17; ++page) {
        SCOPED_TRACE(page);
        const FakeControl &box = view.control(pageBox(page));
        EXPECT_EQ(box.enabled, page <= 2);
        EXPECT_EQ(box.textColour, page <= 2 ? colour::Black : colour::GreyText);
        EXPECT_EQ(box.background, page <= 2 ? colour::White : colour::GreyBackground);
        EXPECT_FALSE(view.control(pageSelectBox(page)).enabled);
    }
}

// --- the ways out

using ClosingTheWindow = MainWindowTest;

TEST_F(ClosingTheWindow, CloseBoxEndsTheWindowWithoutAMessageWhenNoPortIsOpen)
{
    CQV58Dlg &w = start();
    view.messages.clear();

    w.closeRequest();

    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.endResult, DialogResult::Cancel);
}

TEST_F(ClosingTheWindow, ExitTakesTheControlsAndEndsWithOkAndEscapeWithCancel)
{
    CQV58Dlg &w = start();
    view.type(Control::UidBox, "E0040000");
    w.menuCommand(MenuItem::FileExit);
    EXPECT_EQ(view.endResult, DialogResult::Ok);
    EXPECT_EQ(w.uidText, "E0040000");

    w.escape();
    EXPECT_EQ(view.endResult, DialogResult::Cancel);
}

} // namespace
} // namespace teb::test
