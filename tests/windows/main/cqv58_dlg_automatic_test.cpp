#include "cqv58_dlg_fixture.h"

#include <algorithm>

namespace teb::test {
namespace {

using AutomaticWindowTest = MainWindowTest;

TEST_F(AutomaticWindowTest, NextAndMaxStayWithinTheCarrierIdLength)
{
    writeCounterJob("7", "3");
    CQV58Dlg &w = start();
    view.setText(Control::NextBox, "12345");
    w.focusLost(Control::NextBox);
    EXPECT_EQ(shown(Control::NextBox), "999");
    EXPECT_EQ(shown(Control::PageBox1), "39 39 39 33 34 35 36 37");

    w.spinStep(Control::NextSpin, SpinDirection::Up);
    EXPECT_EQ(shown(Control::NextBox), "0");
    EXPECT_EQ(shown(Control::PageBox1), "30 30 30 33 34 35 36 37");

    view.setText(Control::MaxBox, "5000");
    w.focusLost(Control::MaxBox);
    EXPECT_EQ(shown(Control::MaxBox), "999");
}

// "next" never goes back onto a carrier ID that a transponder holds: typed or
// stepped down onto one, it is refused with the ID's UID and time; stepped up,
// it goes on past the held ones.
TEST_F(AutomaticWindowTest, NextNeverMovesOntoAnIssuedCarrierId)
{
    writeCounterJob("100", "3");
    CQV58Dlg &w = start();
    for (const std::string issued : {"120", "121", "123"})
        w.job().journal->reserve(counterEntry(issued, "UID00" + issued));
    dialogs.messages.clear(); // the port's
    view.setText(Control::NextBox, "120");
    w.focusLost(Control::NextBox);
    EXPECT_EQ(shown(Control::NextBox), "100");
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{"Carrier ID 120 was already issued: to transponder UID00120 at " +
                                                                w.job().journal->holderOf("120")->reservedAt +
                                                                " (set job, reserved).\r\n\"next\" stays where it was."});

    view.setText(Control::NextBox, "119");
    w.focusLost(Control::NextBox);
    w.spinStep(Control::NextSpin, SpinDirection::Up);
    EXPECT_EQ(shown(Control::NextBox), "122");
    w.spinStep(Control::NextSpin, SpinDirection::Down);
    EXPECT_EQ(shown(Control::NextBox), "122");
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

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

} // namespace
} // namespace teb::test
