#include "main_window_fixture.h"

namespace teb::test {
namespace {

using ::testing::ElementsAre;
using ::testing::SizeIs;

// A message box's event loop delivers ticks and clicks while the box shows:
// the window drops them, so one box never opens another and no command runs
// in the middle of the tick that opened it.
TEST_F(MainWindowTest, EventsThatArriveWhileABoxOfTheWindowShowsAreDropped)
{
    CQV58Dlg &w = start();
    int steps = 0;
    w.setCycleStep([&] { ++steps; });
    dialogs.messages.clear();
    w.errorPending = true;
    w.errorText = "first";
    dialogs.whileMessageShows = [&](const MessageRequest &) {
        w.errorPending = true;
        w.errorText = "second";
        w.cycleRequested = true;
        w.tick(kRequestTimerId);
        w.tick(kCycleTimerId);
        w.menuCommand(MenuItem::TerminalShow);
        w.escape();
    };

    w.tick(kRequestTimerId);
    EXPECT_THAT(dialogs.messages, SizeIs(1));
    EXPECT_EQ(steps, 0);
    EXPECT_FALSE(w.terminalVisible);
    EXPECT_EQ(view.endResult, std::nullopt);

    dialogs.whileMessageShows = nullptr;
    w.tick(kRequestTimerId); // the next ticks do the work held back
    w.tick(kCycleTimerId);
    ASSERT_THAT(dialogs.messages, SizeIs(2));
    EXPECT_EQ(dialogs.messages[1].text, "second");
    EXPECT_EQ(steps, 1);
}

TEST_F(MainWindowTest, DestroyRunsOnceWhateverCallsItAgainAndNothingRunsAfterIt)
{
    CQV58Dlg &w = start();
    w.destroy();
    writeSettings("left alone");
    w.destroy();
    w.menuCommand(MenuItem::TerminalShow);
    EXPECT_EQ(settingsFile(), "left alone");
    EXPECT_THAT(view.timerLog, ElementsAre("start 3 10", "start 5 500", "stop 3", "stop 5"));
    EXPECT_FALSE(w.terminalVisible);
}

class MainWindowReceiving : public MainWindowWithReader {
protected:
    // Sends a command straight to the reader, outside any window operation,
    // and waits until its answer has woken the window.
    void answerArrives(const std::string &command)
    {
        window->readerPort().WriteText(command + "\r", window->portHandle);
        ASSERT_TRUE(eventually([&] { return view.postsPending() > 0; }));
    }
};

// The receive thread leaves its lines in the inbox and wakes the window; the
// terminal view changes only on the window's thread, when the wake-up is
// delivered, and never in the middle of a running event.
TEST_F(MainWindowReceiving, LinesReachTheTerminalOnlyBetweenTheWindowsEvents)
{
    CQV58Dlg &w = start();
    ASSERT_TRUE(w.portOpen);
    answerArrives("RUID");
    EXPECT_EQ(shown(Control::TerminalView), "");
    EXPECT_EQ(view.deliverPosted(), 1);
    const std::string firstAnswer = shown(Control::TerminalView);
    EXPECT_FALSE(firstAnswer.empty());

    dialogs.whileMessageShows = [&](const MessageRequest &) {
        answerArrives("RUID");
        view.deliverPosted(); // the box's event loop runs the queued wake-up
        EXPECT_EQ(shown(Control::TerminalView), firstAnswer) << "not while the tick runs";
    };
    w.errorPending = true;
    w.tick(kRequestTimerId);
    EXPECT_EQ(shown(Control::TerminalView), firstAnswer + firstAnswer) << "as the tick ends";
}

} // namespace
} // namespace teb::test
