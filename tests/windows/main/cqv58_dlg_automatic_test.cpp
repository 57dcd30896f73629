#include "cqv58_dlg_fixture.h"

#include <algorithm>

namespace teb::test {
namespace {

using AutomaticWindowTest = MainWindowTest;

TEST_F(AutomaticWindowTest, OnePressOneCycleAndAProtocolLineEachTime)
{
    writeCounterJob("1", "3");
    CQV58Dlg &w = start();
    const auto protocolLines = [&] { return std::ranges::count(readFileBytes(dir / "IntProt_0.txt"), '\n'); };
    int cycles = 0;
    w.setCycleStep([&] { ++cycles; });

    click(Control::OneButton);
    click(Control::OneButton); // before the tick: the same cycle
    w.tick(kCycleTimerId);
    EXPECT_EQ(cycles, 1);
    EXPECT_EQ(protocolLines(), 1);

    click(Control::OneButton); // waited in the queue while the cycle ran
    w.tick(kCycleTimerId);
    EXPECT_EQ(cycles, 1);
    click(Control::OneButton);
    w.tick(kCycleTimerId);
    w.tick(kCycleTimerId);
    EXPECT_EQ(cycles, 2);
    EXPECT_EQ(protocolLines(), 2);
}

TEST_F(MainWindowTest, AutomaticShowsTheSetGreysWhatItKeepsAndManualKeepsTheTexts)
{
    writeSettings(iniLines({"[Auto]", "SelectConfig=1", "Pruefablauf_ist=Job", "[Data]", "Format=1", "SelectP1=1",
                            "P3=typed 3"}));
    writeSetFile("Job", setFile(true, "Decimal counter"));
    CQV58Dlg &w = start();
    EXPECT_TRUE(w.pages().automaticMode);
    EXPECT_EQ(shown(pageBox(1)), "0 1 2 3 4 5 6 7"); // the set's texts in the format shown
    EXPECT_EQ(shown(pageBox(3)), "NUL NUL NUL NUL NUL NUL NUL NUL");
    EXPECT_EQ(shown(Control::NextBox), "1000");
    // pages 3 .. 17 and "all" follow the set; pages 1 and 2 keep their state
    EXPECT_TRUE(view.isChecked(pageSelectBox(1)) && view.isChecked(pageSelectBox(17)));
    EXPECT_TRUE(view.isChecked(Control::SelectAll) && !view.isChecked(pageSelectBox(2)));
    for (int page = 1; page <= 17; ++page) {
        SCOPED_TRACE(page);
        const FakeControl &box = view.control(pageBox(page));
        EXPECT_EQ(box.enabled, page <= 2);
        EXPECT_FALSE(view.control(pageSelectBox(page)).enabled);
    }
    EXPECT_FALSE(view.control(Control::ReadButton).visible || view.control(Control::ReadButton).enabled);

    view.setText(pageBox(1), "typed 1");
    w.clicked(Control::ManualSwitch);
    EXPECT_FALSE(w.pages().automaticMode);
    EXPECT_EQ(shown(pageBox(1)), "typed 1");
    EXPECT_EQ(shown(pageBox(2)), "A B C D E F G H");
    EXPECT_FALSE(view.control(Control::OneButton).visible);
    EXPECT_TRUE(view.control(pageBox(17)).enabled && view.control(pageSelectBox(17)).enabled);

    w.clicked(Control::AutomaticSwitch); // the typed text is lost
    EXPECT_EQ(shown(pageBox(1)), "0 1 2 3 4 5 6 7");
}

TEST_F(MainWindowTest, ASetThatWritesNoPages3To17UnticksThem)
{
    writeSettings(iniLines({"[Auto]", "SelectConfig=0", "Pruefablauf_ist=Job", "[Data]", "SelectP5=1"}));
    writeSetFile("Job", setFile(false, "Decimal counter"));
    CQV58Dlg &w = start();
    ASSERT_TRUE(w.pages().pageSelected[pageIndex(5)]);
    click(Control::AutomaticSwitch);
    EXPECT_FALSE(w.pages().pageSelected[pageIndex(5)]);
}

} // namespace
} // namespace teb::test
