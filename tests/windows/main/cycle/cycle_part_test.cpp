// "One": one cycle per press, and its protocol line.
#include "windows/main/cqv58_dlg_fixture.h"

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
    w.cycle().setStep([&] { ++cycles; });

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
