#include "main_window_fixture.h"

namespace teb::test {
namespace {

using ::testing::ElementsAre;

TEST_F(MainWindowTest, TerminalShowTwiceNarrowsTheWindowAgainAndClearEmptiesOnlyTheTerminalView)
{
    CQV58Dlg &w = start();
    for (const auto &[checked, width] : {std::pair(true, 1120), std::pair(false, 799)}) {
        w.menuCommand(MenuItem::TerminalShow);
        EXPECT_EQ(std::pair(view.width, view.height), std::pair(width, 461));
        EXPECT_EQ(view.menuChecks.at(MenuItem::TerminalShow), checked);
    }
    view.prependTerminalText("ACK\r\n");
    view.setText(Control::TerminalInput, "RD 1");
    w.menuCommand(MenuItem::TerminalClear);
    EXPECT_EQ(shown(Control::TerminalView), "");
    EXPECT_EQ(shown(Control::TerminalInput), "RD 1");
}

// "Open" and "Log" switch the window's default action (focus to "One") off for good.
TEST_F(MainWindowTest, OpenAndLogEndTheDefaultActionAndLogRefreshesTheLabelWhenSwitchedOff)
{
    const std::string name52 = "/" + std::string(47, 'a') + ".xml";
    writeSettings(iniLines({"[Manual]", "file name=" + name52}));
    CQV58Dlg &w = start();
    w.switchToAutomatic(); // "One" takes the focus only while it is enabled
    w.defaultAction();
    EXPECT_EQ(view.focus(), Control::OneButton);
    view.focusHistory.clear();
    w.clicked(Control::OpenButton);
    w.defaultAction();
    EXPECT_EQ(view.focus(), std::nullopt);

    start();
    view.setText(Control::LogFileLabel, "stale");
    click(Control::LogSwitch);
    EXPECT_TRUE(window->manualLog && !window->defaultActionEnabled);
    EXPECT_EQ(view.control(Control::LogSwitch).switchOn, true);
    click(Control::LogSwitch);
    EXPECT_FALSE(window->manualLog);
    EXPECT_EQ(view.control(Control::LogSwitch).switchOn, false);
    EXPECT_EQ(shown(Control::LogFileLabel), "..." + name52.substr(1)); // 52 characters: dots and the last 51
}

TEST_F(MainWindowTest, InterfaceSettingsOkTakesTheValuesReopensThePortAndRestartsTheTimers)
{
    writeSettings(iniLines({"[Interface]", "port=COM9", "baudrate=9600"}));
    CQV58Dlg &w = start();
    dialogs.messages.clear();
    view.timerLog.clear();
    dialogs.interfaceSettingsDialog = [](CI2Dlg &dialog) {
        dialog.portText = "COM4";
        dialog.baudRateText = "19200";
        return CI2DlgView::Result::Ok;
    };

    w.menuCommand(MenuItem::InterfaceSettings);

    EXPECT_EQ(w.interfaceSettings.baudRate, 19200);
    ASSERT_EQ(dialogs.messages.size(), 1u); // with the reason below the first line
    EXPECT_THAT(dialogs.messages[0].text, ::testing::StartsWith("COM4 could not be opened!\r\n"));
    EXPECT_EQ(std::pair(dialogs.messages[0].caption, dialogs.messages[0].icon),
              std::pair(std::string("Tag Encoder Bench"), MessageIcon::Stop));
    EXPECT_THAT(view.timerLog, ElementsAre("stop 3", "stop 5", "start 3 10", "start 5 500"));
    w.destroy();
    EXPECT_NE(settingsFile().find("port=COM4\r\n"), std::string::npos);
}

// Enter in a page box: the text is laid out for the set's alignment and
// coloured green, or red with the format's message.
TEST_F(MainWindowTest, EnterInAPageBoxLaysOutTheTextColoursItAndWarnsInItsFormat)
{
    const std::string hexMessage = "change P17 to a length of 16 printable hexadecimal characters "
                                   "(20,21,22,...,7D,7E) with spaces in between";
    const std::string asciiMessage =
        "change P4 to a length of 8 characters with spaces in between; 'NUL' is 0x00 in ASCII format";
    const struct {
        int page;
        bool ascii;
        const char *alignment, *typed, *shown;
        std::string message; // empty for a valid text
    } entries[] = {
        {1, false, "Right", "3031", "00 00 00 00 00 00 30 31", ""},
        {4, false, "Left", "3031", "30 31 00 00 00 00 00 00", ""},
        {17, false, "None", "3031", "3031", hexMessage},
        {2, false, "None", "3031323334353637", "30 31 32 33 34 35 36 37", ""}, // complete: only spaced
        {1, true, "Right", "AB", "NUL NUL NUL NUL NUL NUL A B", ""},
        {9, true, "Left", "abc", "a b c NUL NUL NUL NUL NUL", ""},
        {4, true, "None", "abc", "abc", asciiMessage},
        {2, true, "None", "ABCDEFGH", "A B C D E F G H", ""}, // complete: only spaced
    };
    for (const auto &entry : entries) {
        SCOPED_TRACE(std::string(entry.ascii ? "ASCII " : "HEX ") + entry.alignment);
        writeSettings(iniLines({"[Data]", std::string("Format=") + (entry.ascii ? "1" : "0")}));
        CQV58Dlg &w = start();
        w.currentSet.alignment = entry.alignment;
        dialogs.messages.clear();
        view.setText(pageBox(entry.page), entry.typed);

        w.enterPressed(pageBox(entry.page));

        EXPECT_EQ(shown(pageBox(entry.page)), entry.shown);
        const bool valid = entry.message.empty();
        EXPECT_EQ(view.control(pageBox(entry.page)).background, valid ? colour::Green : colour::Red);
        if (valid)
            EXPECT_TRUE(dialogs.messages.empty());
        else
            EXPECT_THAT(dialogs.messages, ElementsAre(MessageRequest{entry.message, "Tag Encoder Bench",
                                                                  MessageIcon::Warning, MessageButtons::Ok}));
    }
}

// The slow tick shows a pending error once, serves the page focus requests in
// page order and, in automatic mode only, the focus request of Enter in a page
// box; the fast tick runs one cycle step per request.
TEST_F(MainWindowTest, TicksWorkOffTheRequestsOnce)
{
    CQV58Dlg &w = start();
    int steps = 0;
    w.setCycleStep([&] { ++steps; });
    w.enterPressed(pageBox(3)); // manual mode: the focus stays
    dialogs.messages.clear();
    view.focusHistory.clear();
    w.errorPending = true;
    w.errorText = "Protocol file can't be opened.";
    w.pageFocusRequest[pageIndex(9)] = w.pageFocusRequest[pageIndex(2)] = true;
    w.cycleRequested = true;
    for (int tick = 0; tick < 2; ++tick) {
        w.tick(kRequestTimerId);
        w.tick(kCycleTimerId);
    }
    EXPECT_EQ(steps, 1);
    EXPECT_THAT(dialogs.messages, ElementsAre(MessageRequest{"Protocol file can't be opened.", "Tag Encoder Bench",
                                                          MessageIcon::Stop, MessageButtons::Ok}));
    EXPECT_THAT(view.focusHistory, ElementsAre(pageBox(2), pageBox(9)));
    EXPECT_THAT(view.selections, ElementsAre(pageBox(2), pageBox(9)));

    w.switchToAutomatic();
    w.enterPressed(pageBox(1));
    w.tick(kRequestTimerId);
    EXPECT_EQ(view.focus(), Control::OneButton);
}

} // namespace
} // namespace teb::test
