// The window's commands and events: the timers' ticks, the terminal's
// lines and the close box.
#include "cqv58_dlg_fixture.h"

#include "windows/main/terminal_text.h"
#include "windows/main/time_of_day.h"

namespace teb::test {
namespace {

using ::testing::SizeIs;
using ::testing::StartsWith;

// The slow tick shows a pending error once; the fast tick runs one cycle step
// per request. Ticks and clicks that a box's event loop delivers while the box
// shows are dropped: one box never opens another.
TEST_F(MainWindowTest, TicksWorkOffTheRequestsOnceAndNotWhileABoxShows)
{
    CQV58Dlg &w = start();
    int steps = 0;
    w.cycle().setStep([&] { ++steps; });
    std::filesystem::create_directory(dir / "IntProt_0.txt"); // each cycle's protocol line fails
    click(Control::OneButton);
    w.tick(kCycleTimerId); // the cycle: its error waits for the slow tick
    w.tick(kCycleTimerId);
    click(Control::OneButton); // the next cycle, requested before the box shows
    dialogs.messages.clear();
    dialogs.whileMessageShows = [&](const MessageRequest &) {
        w.tick(kRequestTimerId);
        w.tick(kCycleTimerId);
        w.menuCommand(MenuItem::TerminalShow);
        w.escape();
    };

    w.tick(kRequestTimerId);
    ASSERT_THAT(dialogs.messages, SizeIs(1));
    EXPECT_THAT(dialogs.messages[0].text, StartsWith("The protocol file " + (dir / "IntProt_0.txt").string()));
    EXPECT_EQ(steps, 1);
    EXPECT_FALSE(w.parts().terminal.state().terminalVisible);
    EXPECT_EQ(view.endResult, std::nullopt);

    dialogs.whileMessageShows = nullptr;
    w.tick(kRequestTimerId); // shown once
    w.tick(kCycleTimerId); // the next ticks do the work held back
    w.tick(kRequestTimerId);
    ASSERT_THAT(dialogs.messages, SizeIs(2));
    EXPECT_EQ(dialogs.messages[1].text, dialogs.messages[0].text);
    EXPECT_EQ(steps, 2);
}

// The terminal view changes only on the window's thread, when the receive
// thread's wake-up is delivered, also while a box of the window shows. Not
// so the close box there: the port closes at once, and the window ends.
TEST_F(MainWindowWithReader, LinesReachTheTerminalWhenTheWindowWakesAndTheCloseBoxEndsItAlsoWhileABoxShows)
{
    CQV58Dlg &w = start();
    ASSERT_TRUE(w.parts().link.state().portOpen);
    const auto answerArrives = [&] { // a command sent outside any window operation
        w.readerPort().WriteText("RUID\r", w.parts().link.state().portHandle);
        ASSERT_TRUE(eventually([&] { return view.postsPending() > 0; }));
    };
    answerArrives();
    EXPECT_EQ(shown(Control::TerminalView), "");
    EXPECT_EQ(view.deliverPosted(), 1);
    const std::string firstAnswer = shown(Control::TerminalView);
    EXPECT_FALSE(firstAnswer.empty());

    dialogs.whileMessageShows = [&](const MessageRequest &) {
        answerArrives();
        view.deliverPosted(); // the box's event loop runs the queued wake-up
        EXPECT_EQ(shown(Control::TerminalView), firstAnswer + firstAnswer);
        w.closeRequest();
        EXPECT_FALSE(w.parts().link.state().portOpen || w.readerPort().receiveThreadRunning());
    };
    std::filesystem::create_directory(dir / "IntProt_0.txt"); // the cycle's protocol line fails: a box
    w.cycle().setStep([] {});
    click(Control::OneButton);
    w.tick(kCycleTimerId);
    w.tick(kRequestTimerId);
    EXPECT_EQ(shown(Control::TerminalView), firstAnswer + firstAnswer);
    EXPECT_EQ(view.endResult, DialogResult::Cancel);
}

// The close box while a box shows, "One" pressed before it: the rest of
// that event shows no box, and no cycle starts after the close.
TEST_F(MainWindowWithReader, AfterTheCloseBoxNoCycleStartsAndNoBoxShows)
{
    CQV58Dlg &w = start();
    int cycles = 0;
    w.cycle().setStep([&] { ++cycles; });
    std::filesystem::create_directory(dir / "IntProt_0.txt"); // each cycle's protocol line fails: a box
    click(Control::OneButton);
    w.tick(kCycleTimerId);
    w.tick(kCycleTimerId); // frees "One" again
    click(Control::OneButton);
    int boxes = 0;
    dialogs.whileMessageShows = [&](const MessageRequest &) {
        if (++boxes == 1)
            w.closeRequest();
    };
    w.tick(kRequestTimerId); // the first cycle's box
    w.tick(kCycleTimerId);
    w.tick(kRequestTimerId);
    EXPECT_EQ(cycles, 1);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(view.endResult, DialogResult::Cancel);
}

// The receive thread keeps the newest lines for the window and counts the
// ones it dropped, for the terminal's note.
TEST(ReceiveInboxTest, KeepsTheNewestLinesAndCountsTheDroppedOnes)
{
    ReceiveInbox inbox;
    EXPECT_TRUE(inbox.append("0"));
    for (std::size_t i = 1; i < ReceiveInbox::kLineLimit + 5; ++i)
        EXPECT_FALSE(inbox.append(std::to_string(i)));
    ReceivedLines received = inbox.takeAll();
    ASSERT_EQ(received.lines.size(), ReceiveInbox::kLineLimit);
    EXPECT_EQ(received.lines.front(), "5");
    EXPECT_EQ(received.dropped, 5u);
    EXPECT_TRUE(inbox.append("next")); // empty again: the window is woken again
    EXPECT_EQ(inbox.takeAll().dropped, 0u);
}

} // namespace
} // namespace teb::test
