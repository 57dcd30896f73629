#include "main_window_fixture.h"

#include "windows/main/automatic_station.h"

namespace teb::test {
namespace {

using ::testing::PrintToString;

class ModesTest : public MainWindowTest {
protected:
    CQV58Dlg &startWithSet(const std::string &mode, const std::string &format = "0",
                           const std::string &dataSource = "Decimal counter")
    {
        writeSettings(iniLines({"[Auto]", "SelectConfig=" + mode, "Pruefablauf_ist=Job", "[Data]", "Format=" + format,
                                "SelectP1=1", "P3=typed 3"}));
        writeSetFile("Job", setFile(true, dataSource));
        return start();
    }
};

const Control kAutomaticOnly[] = {Control::SetNameLabel, Control::NextSpin, Control::OneButton, Control::LabelMax,
                                  Control::ContOnButton};
const Control kManualGroup[] = {Control::ReadButton, Control::DefaultMemoryButton, Control::ManualCarrierIdOffsetBox,
                                Control::LabelManualCarrierIdLength, Control::UidBox, Control::TiSwitch,
                                Control::LogFileLabel, Control::OpenButton};

TEST_F(ModesTest, AutomaticShowsTheSetGreysWhatItKeepsAndManualKeepsTheTexts)
{
    CQV58Dlg &w = startWithSet("1", "1");
    const auto shownAndEnabled = [this](Control id) { return view.control(id).visible && view.control(id).enabled; };
    EXPECT_TRUE(w.pages().automaticMode);
    EXPECT_EQ(shown(pageBox(1)), "0 1 2 3 4 5 6 7"); // the set's texts in the format shown
    EXPECT_EQ(shown(pageBox(3)), "NUL NUL NUL NUL NUL NUL NUL NUL");
    EXPECT_EQ(shown(Control::NextBox), "1000");
    EXPECT_EQ(shown(Control::SetNameLabel), "Job");
    // pages 3 .. 17 and "all" follow the set; pages 1 and 2 keep their state
    EXPECT_TRUE(view.isChecked(pageSelectBox(1)) && view.isChecked(pageSelectBox(17)));
    EXPECT_TRUE(view.isChecked(Control::SelectAll) && !view.isChecked(pageSelectBox(2)));
    for (int page = 1; page <= 17; ++page) {
        SCOPED_TRACE(page);
        const FakeControl &box = view.control(pageBox(page));
        EXPECT_EQ(box.enabled, page <= 2);
        EXPECT_EQ(box.textColour, page <= 2 ? colour::Black : colour::GreyText);
        EXPECT_EQ(box.background, page <= 2 ? colour::White : colour::GreyBackground);
        EXPECT_FALSE(view.control(pageSelectBox(page)).enabled);
    }
    for (Control id : kManualGroup)
        EXPECT_FALSE(view.control(id).visible || view.control(id).enabled) << PrintToString(id);
    for (Control id : {Control::ManualFrame, Control::ManualSwitch, Control::LabelManual})
        EXPECT_TRUE(shownAndEnabled(id)) << PrintToString(id);
    for (Control id : kAutomaticOnly)
        EXPECT_TRUE(shownAndEnabled(id)) << PrintToString(id);

    view.setText(pageBox(1), "typed 1");
    w.clicked(Control::ManualSwitch);
    EXPECT_FALSE(w.pages().automaticMode);
    EXPECT_EQ(view.control(Control::AutomaticSwitch).switchOn, false);
    EXPECT_EQ(shown(pageBox(1)), "typed 1");
    EXPECT_EQ(shown(pageBox(2)), "A B C D E F G H");
    EXPECT_TRUE(view.isChecked(pageSelectBox(17)));
    for (Control id : kAutomaticOnly)
        EXPECT_FALSE(view.control(id).visible) << PrintToString(id);
    for (Control id : kManualGroup)
        EXPECT_TRUE(shownAndEnabled(id)) << PrintToString(id);
    EXPECT_TRUE(view.control(pageBox(17)).enabled && view.control(pageSelectBox(17)).enabled);
    EXPECT_EQ(view.control(pageBox(17)).background, colour::White);

    w.clicked(Control::AutomaticSwitch); // the typed text is lost
    EXPECT_EQ(shown(pageBox(1)), "0 1 2 3 4 5 6 7");
    EXPECT_EQ(view.control(Control::AutomaticSwitch).switchOn, true);
}

// A cycle that ends without programming takes the last transponder's result colours off.
TEST_F(ModesTest, PageColoursGoBackToTheModesOwn)
{
    CQV58Dlg &w = startWithSet("1");
    CycleTrack track;
    AutomaticStation cycleStation(w, track); // the window as the cycle sees it
    for (const int page : {1, 3})
        view.setBackground(pageBox(page), colour::Green);
    cycleStation.clearPageResultColours();
    EXPECT_EQ(view.control(pageBox(1)).background, colour::White);
    EXPECT_EQ(view.control(pageBox(3)).background, colour::GreyBackground);
    w.clicked(Control::ManualSwitch);
    view.setBackground(pageBox(3), colour::Red);
    cycleStation.clearPageResultColours();
    EXPECT_EQ(view.control(pageBox(3)).background, colour::White);
}

TEST_F(ModesTest, CarrierIdRangeIsActiveOnlyForTheCountingDataSources)
{
    const std::pair<const char *, bool> sources[] = {
        {"Decimal counter", true}, {"csv file", false}, {"csv file complete", true}, {"fix data", false}};
    for (const auto &[source, active] : sources) {
        SCOPED_TRACE(source);
        startWithSet("1", "0", source);
        for (Control id : {Control::NextBox, Control::MaxBox, Control::NextSpin, Control::MaxSpin})
            EXPECT_EQ(view.control(id).enabled, active) << PrintToString(id);
        EXPECT_EQ(view.control(Control::MaxBox).background, active ? colour::White : colour::GreyBackground);
    }
}

TEST_F(MainWindowTest, AsciiAndBackToHexGivesTheHexTextsBackAndLeavesTheFocusInP17)
{
    CQV58Dlg &w = start();
    const std::string hex = "30 31 32 33 34 35 36 37", ascii = "0 1 2 3 4 5 6 7";
    view.setText(pageBox(1), hex);
    for (const Control format : {Control::AsciiSwitch, Control::AsciiSwitch, Control::HexSwitch, Control::HexSwitch}) {
        SCOPED_TRACE(PrintToString(format));
        const bool toAscii = format == Control::AsciiSwitch;
        view.focusHistory.clear();
        w.clicked(format);
        EXPECT_EQ(w.pages().asciiFormat, toAscii);
        EXPECT_EQ(shown(pageBox(1)), toAscii ? ascii : hex);
        EXPECT_EQ(w.pages().hexTextKept[0], hex);
        EXPECT_EQ(w.pages().asciiTextKept[0], ascii);
        EXPECT_EQ(view.control(Control::HexSwitch).switchOn, !toAscii);
        EXPECT_EQ(view.focus(), pageBox(17));
    }
}

// "all" ticks every page, an unticked page unticks "all", which does not come
// back with it; a box never shows an "on" image without its tick, also where
// the set changed the selection.
TEST_F(MainWindowTest, PageSelectionAllAndEachPageShowTheirTicks)
{
    writeSettings(iniLines({"[Auto]", "SelectConfig=0", "Pruefablauf_ist=Job"}));
    writeSetFile("Job", setFile(false, "Decimal counter"));
    CQV58Dlg &w = start();
    view.setBackground(pageBox(4), colour::Red);
    click(Control::SelectAll);
    for (int page = 1; page <= 17; ++page)
        EXPECT_TRUE(view.isChecked(pageSelectBox(page)) && view.control(pageSelectBox(page)).switchOn == true) << page;
    EXPECT_EQ(view.control(pageBox(4)).background, colour::White);

    for (int page : {1, 17}) {
        SCOPED_TRACE(page);
        view.setBackground(pageBox(page), colour::Red);
        click(pageSelectBox(page));
        EXPECT_EQ(view.control(pageBox(page)).background, colour::White);
        EXPECT_FALSE(view.isChecked(Control::SelectAll) || w.pages().pageSelected[pageIndex(page)]);
        EXPECT_EQ(view.focus(), pageBox(page));
        click(pageSelectBox(page));
        EXPECT_FALSE(view.isChecked(Control::SelectAll));
        EXPECT_EQ(view.control(pageSelectBox(page)).switchOn, true);
    }

    click(Control::SelectAll);
    view.focusHistory.clear();
    click(Control::SelectAll);
    for (int page = 1; page <= 17; ++page)
        EXPECT_FALSE(view.isChecked(pageSelectBox(page))) << page;
    EXPECT_EQ(view.focus(), pageBox(17));

    click(Control::SelectAll);
    click(pageSelectBox(1));
    click(Control::AutomaticSwitch); // the set writes no pages 3 .. 17
    EXPECT_FALSE(w.pages().pageSelected[pageIndex(5)]);
    for (int page = 1; page <= 17; ++page)
        EXPECT_EQ(view.control(pageSelectBox(page)).switchOn, view.isChecked(pageSelectBox(page))) << page;
    EXPECT_EQ(view.control(Control::SelectAll).switchOn, false);
}

TEST_F(MainWindowTest, TheFamilyPairIsNeverOnOrOffTogether)
{
    CQV58Dlg &w = start();
    ASSERT_TRUE(w.manual().manualTypeOrvex);
    for (Control clicked : {Control::OrvexSwitch, Control::TiSwitch, Control::TiSwitch, Control::OrvexSwitch}) {
        SCOPED_TRACE(PrintToString(clicked));
        const bool tiBefore = w.manual().manualTypeTi;
        click(clicked);
        EXPECT_NE(w.manual().manualTypeTi, tiBefore);
        EXPECT_NE(view.isChecked(Control::TiSwitch), view.isChecked(Control::OrvexSwitch));
        EXPECT_EQ(view.control(Control::TiSwitch).switchOn, w.manual().manualTypeTi);
        EXPECT_EQ(view.control(Control::OrvexSwitch).switchOn, w.manual().manualTypeOrvex);
    }
}

} // namespace
} // namespace teb::test
