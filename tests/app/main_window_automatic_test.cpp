#include "main_window_fixture.h"

#include "automatic/progress_file.h"

namespace teb::test {
namespace {

// A decimal counter set "job" with a three-digit carrier ID, current in automatic mode.
class AutomaticWindowTest : public MainWindowTest {
protected:
    void writeJob(const std::string &carrierId, const std::string &length = "3")
    {
        writeSetFile("job", setFile(false, "Decimal counter", "Carrier ID=" + carrierId + "\r\nCarrier ID Length=" + length));
        writeSettings(iniLines({"[Auto]", "SelectConfig=1", "Pruefablauf_ist=job", "Carrier ID Max=900"}));
    }
    std::size_t protocolLines() const
    {
        const std::string text = readFileBytes(dir / "IntProt_0.txt");
        std::size_t lines = 0;
        for (std::size_t at = text.find(";One\r\n"); at != std::string::npos; at = text.find(";One\r\n", at + 1))
            ++lines;
        return lines;
    }
};

TEST_F(AutomaticWindowTest, NextAndMaxStayWithinTheCarrierIdLength)
{
    writeJob("7");
    CQV58Dlg &w = start();
    view.setText(Control::NextBox, "12345");
    w.focusLost(Control::NextBox);
    EXPECT_EQ(shown(Control::NextBox), "999");
    EXPECT_EQ(w.currentSet.carrierId, "999");
    EXPECT_EQ(shown(Control::PageBox1), "39 39 39 33 34 35 36 37");

    w.spinStep(Control::NextSpin, SpinDirection::Up);
    EXPECT_EQ(shown(Control::NextBox), "0");
    EXPECT_EQ(shown(Control::PageBox1), "30 30 30 33 34 35 36 37");
    w.spinStep(Control::NextSpin, SpinDirection::Down);
    EXPECT_EQ(shown(Control::NextBox), "999");

    view.setText(Control::MaxBox, "5000");
    w.focusLost(Control::MaxBox);
    EXPECT_EQ(shown(Control::MaxBox), "999");
    w.spinStep(Control::MaxSpin, SpinDirection::Up);
    EXPECT_EQ(shown(Control::MaxBox), "0");
    EXPECT_EQ(shown(Control::PageBox1), "39 39 39 33 34 35 36 37"); // max places nothing
}

TEST_F(AutomaticWindowTest, ProgressOfTheSetSurvivesARestartUntilTheSetIsSavedAnew)
{
    writeJob("100");
    CQV58Dlg &w = start();
    view.setText(Control::NextBox, "123");
    w.focusLost(Control::NextBox);
    EXPECT_EQ(readProgress(dir / "job.progress"), (SetProgress{"100", "", "123", ""}));
    std::filesystem::remove(dir / "job.progress");
    w.focusLost(Control::NextBox); // left unchanged: nothing to keep
    EXPECT_FALSE(std::filesystem::exists(dir / "job.progress"));
    w.spinStep(Control::NextSpin, SpinDirection::Up);
    w.spinStep(Control::NextSpin, SpinDirection::Down);
    EXPECT_EQ(readProgress(dir / "job.progress"), (SetProgress{"100", "", "123", ""}));

    start();
    EXPECT_EQ(shown(Control::NextBox), "123");
    EXPECT_EQ(window->currentSet.carrierId, "123");

    writeJob("200"); // saved anew in the editor
    start();
    EXPECT_EQ(shown(Control::NextBox), "200");

    // A set name that leads out of the folder gets no progress file.
    writeSettings(iniLines({"[Auto]", "SelectConfig=1", "Pruefablauf_ist=../job"}));
    start();
    view.setText(Control::NextBox, "5");
    window->focusLost(Control::NextBox);
    EXPECT_FALSE(std::filesystem::exists(dir.path().parent_path() / "job.progress"));
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
    EXPECT_EQ(view.focus(), Control::OneButton);
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
