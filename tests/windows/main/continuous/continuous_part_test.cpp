// "Cont On" as the window starts and ends it; its cycles on a simulated
// reader are tried in the integration tests.
#include "windows/main/cqv58_dlg_fixture.h"

#include "windows/main/station_status.h"

namespace teb::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// In manual mode the button does nothing; in automatic mode with the port
// closed it says so and stays off, so no poll ever starts.
TEST_F(MainWindowTest, ContOnStartsOnlyInAutomaticModeOnAnOpenPort)
{
    writeCounterJob("00001000", "8", {"[Interface]", "port=COM9"});
    CQV58Dlg &w = start();
    dialogs.messages.clear();
    view.timerLog.clear();

    click(Control::ContOnButton);
    EXPECT_FALSE(w.parts().continuous.on());
    EXPECT_THAT(dialogs.messages, ElementsAre(MessageRequest{portClosedText("COM9"), "Tag Encoder Bench",
                                                             MessageIcon::Warning, MessageButtons::Ok}));
    EXPECT_THAT(view.timerLog, IsEmpty());

    click(Control::ManualSwitch);
    dialogs.messages.clear();
    click(Control::ContOnButton);
    EXPECT_FALSE(w.parts().continuous.on());
    EXPECT_THAT(dialogs.messages, IsEmpty());
}

// On: the button says "Cont Off" and the antenna is polled; switching to
// manual mode ends it, and the button says "Cont On" again.
TEST_F(MainWindowWithReader, ContOnPollsUntilManualModeEndsIt)
{
    writeCounterJob("00001000", "8", {"[Interface]", "port=COM7", "baudrate=115200", "databits=8"});
    CQV58Dlg &w = start();
    view.timerLog.clear();

    click(Control::ContOnButton);
    EXPECT_TRUE(w.parts().continuous.on());
    EXPECT_EQ(view.text(Control::ContOnButton), "  Cont Off");
    EXPECT_THAT(view.timerLog, ElementsAre("start 7 300"));

    click(Control::ManualSwitch);
    EXPECT_FALSE(w.parts().continuous.on());
    EXPECT_EQ(view.text(Control::ContOnButton), "  Cont On");
    EXPECT_THAT(view.timerLog, ElementsAre("start 7 300", "stop 7"));
}

} // namespace
} // namespace teb::test
