#include "main_window_fixture.h"

#include <gmock/gmock.h>

namespace teb::test {
namespace {

// A window started in manual mode with the set "Job" as its current set and
// typed texts in the page boxes.
class ModesTest : public MainWindowTest {
protected:
    CQV58Dlg &startManualWithSet(bool writePages3To17, const std::string &dataSource = "Decimal counter")
    {
        writeSettings(iniLines({"[Auto]", "SelectConfig=0", "Pruefablauf_ist=Job", "[Data]", "SelectP1=1",
                                "SelectP2=0", "SelectP3=0", "P1=typed 1", "P5=typed 5"}));
        writeSetFile("Job", setFileWithTwoEditablePages(writePages3To17, dataSource));
        return start();
    }
};

const std::vector<Control> kAutomaticOnly = {Control::SetNameLabel, Control::NextBox, Control::MaxBox,
                                             Control::NextSpin, Control::MaxSpin, Control::OneButton,
                                             Control::LabelCarrierId, Control::LabelNext, Control::LabelMax,
                                             Control::ContOnButton};

const std::vector<Control> kManualGroup = {
    Control::ReadButton, Control::WriteButton, Control::LockButton, Control::DefaultMemoryButton,
    Control::ManualCarrierIdOffsetBox, Control::LabelManualCarrierIdLength, Control::ReadCarrierIdButton,
    Control::WriteCarrierIdButton, Control::ReadUidButton, Control::UidBox, Control::LabelTransponderType,
    Control::TiSwitch, Control::OrvexSwitch, Control::LabelLog, Control::LogSwitch, Control::LogFileLabel,
    Control::OpenButton};

TEST_F(ModesTest, AutomaticModeReplacesTextsAndSelectionAndLeavesOnlyTheManualGroupsFrame)
{
    CQV58Dlg &w = startManualWithSet(true);
    EXPECT_EQ(shown(pageBox(1)), "typed 1");

    w.clicked(Control::AutomaticSwitch);

    EXPECT_TRUE(w.automaticMode);
    EXPECT_EQ(shown(pageBox(1)), "30 31 32 33 34 35 36 37");
    EXPECT_EQ(shown(pageBox(5)), "00 00 00 00 00 00 00 00");
    EXPECT_TRUE(view.isChecked(pageSelectBox(1)));
    EXPECT_FALSE(view.isChecked(pageSelectBox(2)));
    for (int page = 3; page <= 17; ++page)
        EXPECT_TRUE(view.isChecked(pageSelectBox(page))) << page;
    EXPECT_TRUE(view.isChecked(Control::SelectAll));
    EXPECT_EQ(view.control(Control::AutomaticSwitch).switchOn, true);
    EXPECT_EQ(view.control(Control::ManualSwitch).switchOn, false);

    for (Control id : kManualGroup)
        EXPECT_FALSE(view.control(id).visible || view.control(id).enabled) << ::testing::PrintToString(id);
    for (Control id : {Control::ManualFrame, Control::ManualSwitch, Control::LabelManual})
        EXPECT_TRUE(view.control(id).visible && view.control(id).enabled) << ::testing::PrintToString(id);
    for (Control id : kAutomaticOnly)
        EXPECT_TRUE(view.control(id).visible) << ::testing::PrintToString(id);
    EXPECT_TRUE(view.control(Control::OneButton).enabled);
    EXPECT_FALSE(view.control(Control::ContOnButton).enabled);
}

struct DataSourceCase {
    std::string key;
    bool rangeActive;
};

void PrintTo(const DataSourceCase &source, std::ostream *out) { *out << source.key; }

class CarrierIdRange : public ModesTest, public ::testing::WithParamInterface<DataSourceCase> {};

TEST_P(CarrierIdRange, IsWhiteAndEnabledOnlyForTheCountingSources)
{
    CQV58Dlg &w = startManualWithSet(false, GetParam().key);
    w.clicked(Control::AutomaticSwitch);

    const Rgb expected = GetParam().rangeActive ? colour::White : colour::GreyBackground;
    for (Control id : {Control::NextBox, Control::MaxBox, Control::NextSpin, Control::MaxSpin})
        EXPECT_EQ(view.control(id).enabled, GetParam().rangeActive) << ::testing::PrintToString(id);
    EXPECT_EQ(view.control(Control::NextBox).background, expected);
    EXPECT_EQ(view.control(Control::MaxBox).background, expected);
}

INSTANTIATE_TEST_SUITE_P(DataSources, CarrierIdRange,
                         ::testing::Values(DataSourceCase{"Decimal counter", true}, DataSourceCase{"csv file", false},
                                           DataSourceCase{"csv file complete", true},
                                           DataSourceCase{"fix data", false}),
                         [](const auto &info) {
                             std::string name = info.param.key;
                             std::erase(name, ' ');
                             return name;
                         });

TEST_F(ModesTest, ManualModeKeepsTheSetsTextsAndSelectionAndHidesTheAutomaticControls)
{
    CQV58Dlg &w = startManualWithSet(true);
    w.clicked(Control::AutomaticSwitch);
    view.type(pageBox(1), "30 31 32 33 34 35 36 30");

    w.clicked(Control::ManualSwitch);

    EXPECT_FALSE(w.automaticMode);
    EXPECT_EQ(shown(pageBox(1)), "30 31 32 33 34 35 36 30");
    EXPECT_EQ(shown(pageBox(2)), "41 42 43 44 45 46 47 48");
    EXPECT_TRUE(view.isChecked(pageSelectBox(17)));
    for (Control id : kAutomaticOnly)
        EXPECT_FALSE(view.control(id).visible) << ::testing::PrintToString(id);
    for (Control id : kManualGroup)
        EXPECT_TRUE(view.control(id).visible && view.control(id).enabled) << ::testing::PrintToString(id);
    EXPECT_TRUE(view.control(pageBox(17)).enabled && view.control(pageSelectBox(17)).enabled);
    EXPECT_EQ(view.control(pageBox(17)).textColour, colour::Black);
    EXPECT_EQ(view.control(pageBox(17)).background, colour::White);
    EXPECT_FALSE(view.control(Control::OneButton).enabled);
    EXPECT_EQ(view.control(Control::NextBox).background, colour::GreyBackground);
}

// --- HEX and ASCII

using FormatSwitch = MainWindowTest;

TEST_F(FormatSwitch, AsciiAndBackToHexGivesTheHexTextsBackAndLeavesTheFocusInP17)
{
    writeSettings(iniLines({"[Data]", "P1=30 31 32 33 34 35 36 37", "P2=41 00 20 42 43 44 45 46",
                            "P3=00 00 00 00 00 00 00 00"}));
    CQV58Dlg &w = start();

    w.clicked(Control::AsciiSwitch);
    EXPECT_TRUE(w.asciiFormat);
    EXPECT_EQ(shown(pageBox(1)), "0 1 2 3 4 5 6 7");
    EXPECT_EQ(shown(pageBox(3)), "NUL NUL NUL NUL NUL NUL NUL NUL");
    EXPECT_EQ(w.hexTextKept[0], "30 31 32 33 34 35 36 37");
    EXPECT_EQ(view.control(Control::AsciiSwitch).switchOn, true);
    EXPECT_EQ(view.control(Control::HexSwitch).switchOn, false);
    EXPECT_EQ(view.focus, pageBox(17));

    view.focus.reset();
    w.clicked(Control::HexSwitch);
    EXPECT_FALSE(w.asciiFormat);
    EXPECT_EQ(shown(pageBox(1)), "30 31 32 33 34 35 36 37");
    EXPECT_EQ(shown(pageBox(2)), "41 00 20 42 43 44 45 46");
    EXPECT_EQ(shown(pageBox(3)), "00 00 00 00 00 00 00 00");
    EXPECT_EQ(w.asciiTextKept[0], "0 1 2 3 4 5 6 7");
    EXPECT_EQ(view.focus, pageBox(17));
}

TEST_F(FormatSwitch, ClickOnTheFormatAlreadyShownLeavesTheTextsAsTheyAre)
{
    writeSettings(iniLines({"[Data]", "Format=1", "P1=A B C D E F G H"}));
    CQV58Dlg &w = start();

    w.clicked(Control::AsciiSwitch);
    EXPECT_EQ(shown(pageBox(1)), "A B C D E F G H");

    w.clicked(Control::HexSwitch);
    w.clicked(Control::HexSwitch);
    EXPECT_EQ(shown(pageBox(1)), "41 42 43 44 45 46 47 48");
    EXPECT_EQ(view.control(Control::HexSwitch).switchOn, true);
}

TEST_F(FormatSwitch, AutomaticModeShowsTheSetsDisplayTextsInAscii)
{
    writeSettings(iniLines({"[Auto]", "SelectConfig=1", "Pruefablauf_ist=Job", "[Data]", "Format=1"}));
    writeSetFile("Job", setFileWithTwoEditablePages(false, "fix data"));
    start();
    EXPECT_EQ(shown(pageBox(1)), "0 1 2 3 4 5 6 7");
    EXPECT_EQ(shown(pageBox(4)), "NUL NUL NUL NUL NUL NUL NUL NUL");
}

// --- page selection

using PageSelection = MainWindowTest;

TEST_F(PageSelection, UntickingAPageUnticksAllAndTickingItAgainDoesNotTickAll)
{
    CQV58Dlg &w = start();
    click(Control::SelectAll);
    ASSERT_TRUE(view.isChecked(pageSelectBox(6)));

    click(pageSelectBox(6));
    EXPECT_FALSE(view.isChecked(Control::SelectAll));
    EXPECT_FALSE(w.pageSelected[pageIndex(6)]);
    EXPECT_EQ(view.control(pageSelectBox(6)).switchOn, false);
    EXPECT_EQ(view.focus, pageBox(6));

    click(pageSelectBox(6));
    EXPECT_FALSE(view.isChecked(Control::SelectAll));
    EXPECT_TRUE(view.isChecked(pageSelectBox(6)));
    EXPECT_EQ(view.control(pageSelectBox(6)).switchOn, true);
}

TEST_F(PageSelection, AllSelectsEveryPageAndUntickingItClearsThemAndEndsInP17)
{
    start();
    view.setBackground(pageBox(4), colour::Red);

    click(Control::SelectAll);
    for (int page = 1; page <= 17; ++page) {
        EXPECT_TRUE(view.isChecked(pageSelectBox(page)));
        EXPECT_EQ(view.control(pageSelectBox(page)).switchOn, true);
    }
    EXPECT_EQ(view.control(pageBox(4)).background, colour::White);

    click(Control::SelectAll);
    for (int page = 1; page <= 17; ++page)
        EXPECT_FALSE(view.isChecked(pageSelectBox(page)));
    EXPECT_EQ(view.control(Control::SelectAll).switchOn, false);
    EXPECT_EQ(view.focus, pageBox(17));
}

// --- the manual group's switches

using ManualSwitches = MainWindowTest;

TEST_F(ManualSwitches, TheFamilyPairIsNeverOnOrOffTogether)
{
    CQV58Dlg &w = start();
    ASSERT_TRUE(w.manualTypeOrvex);

    for (Control clicked : {Control::OrvexSwitch, Control::TiSwitch, Control::TiSwitch, Control::OrvexSwitch}) {
        SCOPED_TRACE(::testing::PrintToString(clicked));
        const bool tiBefore = w.manualTypeTi;
        click(clicked);
        EXPECT_NE(w.manualTypeTi, tiBefore);
        EXPECT_NE(view.isChecked(Control::TiSwitch), view.isChecked(Control::OrvexSwitch));
        EXPECT_NE(w.manualTypeTi, w.manualTypeOrvex);
        EXPECT_EQ(view.control(Control::TiSwitch).switchOn, w.manualTypeTi);
        EXPECT_EQ(view.control(Control::OrvexSwitch).switchOn, w.manualTypeOrvex);
    }
}

TEST_F(ManualSwitches, LogShowsItsImageAndRefreshesTheLabelWhenSwitchedOff)
{
    writeSettings(iniLines({"[Manual]", "file name=/data/log.xml"}));
    CQV58Dlg &w = start();
    view.type(Control::LogFileLabel, "stale");

    click(Control::LogSwitch);
    EXPECT_TRUE(w.manualLog);
    EXPECT_EQ(view.control(Control::LogSwitch).switchOn, true);

    click(Control::LogSwitch);
    EXPECT_FALSE(w.manualLog);
    EXPECT_EQ(view.control(Control::LogSwitch).switchOn, false);
    EXPECT_EQ(shown(Control::LogFileLabel), "/data/log.xml");
    EXPECT_FALSE(w.defaultActionEnabled);
}

} // namespace
} // namespace teb::test
