// The "next" and "max" boxes and their spin buttons.
#include "windows/main/cqv58_dlg_fixture.h"

namespace teb::test {
namespace {

using NextAndMaxTest = MainWindowTest;

TEST_F(NextAndMaxTest, NextAndMaxStayWithinTheCarrierIdLength)
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
TEST_F(NextAndMaxTest, NextNeverMovesOntoAnIssuedCarrierId)
{
    writeCounterJob("100", "3");
    CQV58Dlg &w = start();
    for (const std::string issued : {"120", "121", "123"})
        w.parts().job.state().journal->reserve(counterEntry(issued, "UID00" + issued));
    dialogs.messages.clear(); // the port's
    view.setText(Control::NextBox, "120");
    w.focusLost(Control::NextBox);
    EXPECT_EQ(shown(Control::NextBox), "100");
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{"Carrier ID 120 was already issued: to transponder UID00120 at " +
                                                                w.parts().job.state().journal->holderOf("120")->reservedAt +
                                                                " (set job, reserved).\r\n\"next\" stays where it was."});

    view.setText(Control::NextBox, "119");
    w.focusLost(Control::NextBox);
    w.spinStep(Control::NextSpin, SpinDirection::Up);
    EXPECT_EQ(shown(Control::NextBox), "122");
    w.spinStep(Control::NextSpin, SpinDirection::Down);
    EXPECT_EQ(shown(Control::NextBox), "122");
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

} // namespace
} // namespace teb::test
