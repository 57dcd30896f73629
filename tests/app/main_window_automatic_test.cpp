#include "main_window_fixture.h"

#include <algorithm>

namespace teb::test {
namespace {

class AutomaticWindowTest : public MainWindowTest {
protected:
    void writeJob(const std::string &carrierId, const std::string &length = "3")
    {
        writeSetFile("job", setFile(false, "Decimal counter", "Carrier ID=" + carrierId + "\r\nCarrier ID Length=" + length));
        writeSettings(iniLines({"[Auto]", "SelectConfig=1", "Pruefablauf_ist=job", "Carrier ID Max=900"}));
    }
    // Each press of "One" leaves a line ending in ";One".
    std::size_t protocolLines() const { return std::ranges::count(readFileBytes(dir / "IntProt_0.txt"), '\n'); }
};

TEST_F(AutomaticWindowTest, NextAndMaxStayWithinTheCarrierIdLength)
{
    writeJob("7");
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
    writeJob("100");
    CQV58Dlg &w = start();
    for (const std::string issued : {"120", "121", "123"}) {
        JournalEntry entry;
        entry.carrierId = issued;
        entry.setName = "job";
        entry.source = "Decimal counter";
        entry.uid = "UID00" + issued;
        w.job().journal->reserve(entry);
    }
    dialogs.messages.clear(); // the port's
    view.setText(Control::NextBox, "120");
    w.focusLost(Control::NextBox);
    EXPECT_EQ(shown(Control::NextBox), "100");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Carrier ID 120 was already issued: to transponder UID00120 at " +
                                            w.job().journal->holderOf("120")->reservedAt +
                                            " (set job, reserved).\r\n\"next\" stays where it was.");

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
    writeJob("1");
    CQV58Dlg &w = start();
    int cycles = 0;
    w.setCycleStep([&] { ++cycles; });

    click(Control::OneButton);
    click(Control::OneButton); // before the tick: the same cycle
    w.tick(kCycleTimerId);
    EXPECT_EQ(cycles, 1);
    EXPECT_EQ(protocolLines(), 1u);

    click(Control::OneButton); // waited in the queue while the cycle ran
    w.tick(kCycleTimerId);
    EXPECT_EQ(cycles, 1);
    click(Control::OneButton);
    w.tick(kCycleTimerId);
    w.tick(kCycleTimerId);
    EXPECT_EQ(cycles, 2);
    EXPECT_EQ(protocolLines(), 2u);
}

} // namespace
} // namespace teb::test
