#include "main_window_fixture.h"

#include "app/log_file_label.h"

#include <gmock/gmock.h>

namespace teb::test {
namespace {

using ::testing::ElementsAre;

using TerminalMenu = MainWindowTest;

TEST_F(TerminalMenu, ShowWidensTheWindowAndChecksTheItemAndASecondShowUndoesBoth)
{
    CQV58Dlg &w = start();

    w.menuCommand(MenuItem::TerminalShow);
    EXPECT_EQ(view.width, 1120);
    EXPECT_EQ(view.height, 461);
    EXPECT_TRUE(view.menuChecks.at(MenuItem::TerminalShow));

    w.menuCommand(MenuItem::TerminalShow);
    EXPECT_EQ(view.width, 799);
    EXPECT_EQ(view.height, 461);
    EXPECT_FALSE(view.menuChecks.at(MenuItem::TerminalShow));
}

TEST_F(TerminalMenu, ClearEmptiesTheTerminalViewAndNothingElse)
{
    CQV58Dlg &w = start();
    view.prependTerminalText("ACK\r\n");
    view.type(Control::TerminalInput, "RD 1");
    view.type(pageBox(1), "typed");

    w.menuCommand(MenuItem::TerminalClear);

    EXPECT_EQ(shown(Control::TerminalView), "");
    EXPECT_EQ(shown(Control::TerminalInput), "RD 1");
    EXPECT_EQ(shown(pageBox(1)), "typed");
}

// --- "Interface" / "Settings"

using InterfaceSettingsMenu = MainWindowTest;

TEST_F(InterfaceSettingsMenu, OkTakesTheNewValuesReopensThePortAndRestartsTheTimers)
{
    writeSettings(iniLines({"[Interface]", "port=COM9", "baudrate=9600", "parity=Even"}));
    CQV58Dlg &w = start();
    view.messages.clear();
    view.timerLog.clear();
    std::string portShownInDialog;
    view.interfaceSettingsDialog = [&](CI2Dlg &dialog) {
        portShownInDialog = dialog.portText;
        dialog.portText = "COM4";
        dialog.baudRateText = "19200";
        dialog.parityText = "Odd";
        return CI2DlgView::Result::Ok;
    };

    w.menuCommand(MenuItem::InterfaceSettings);

    EXPECT_EQ(portShownInDialog, "COM9");
    EXPECT_EQ(w.interfaceSettings.portName, "COM4");
    EXPECT_EQ(w.interfaceSettings.baudRate, 19200);
    EXPECT_EQ(w.interfaceSettings.parityCode, parity::Odd);
    EXPECT_THAT(view.messages, ElementsAre(MessageRequest{"COM4 could not be opened!", "Tag Encoder Bench",
                                                          MessageIcon::Stop, MessageButtons::Ok}));
    EXPECT_THAT(view.timerLog, ElementsAre("stop 3", "stop 5", "start 3 10", "start 5 500"));

    w.destroy();
    EXPECT_NE(settingsFile().find("port=COM4\r\n"), std::string::npos);
}

// --- Enter and the window's default action

using EnterKey = MainWindowTest;

TEST_F(EnterKey, OutsideTheBoxesMovesTheFocusToOneUntilLogOrOpenIsUsed)
{
    for (Control used : {Control::LogSwitch, Control::OpenButton}) {
        SCOPED_TRACE(::testing::PrintToString(used));
        CQV58Dlg &w = start();
        view.focus.reset();
        w.defaultAction();
        EXPECT_EQ(view.focus, Control::OneButton);

        view.focus.reset();
        click(used);
        w.clicked(Control::DefaultButton);
        EXPECT_EQ(view.focus, std::nullopt);
    }
}

TEST_F(EnterKey, InAPageBoxMovesTheFocusToOneAtTheNextSlowTickInAutomaticModeOnly)
{
    CQV58Dlg &w = start();
    view.type(pageBox(3), "30 31 32 33 34 35 36 37");
    w.enterPressed(pageBox(3));
    view.focus.reset();
    w.tick(kRequestTimerId);
    EXPECT_EQ(view.focus, std::nullopt) << "manual mode";
    EXPECT_FALSE(w.focusOneRequest);

    w.switchToAutomatic();
    w.enterPressed(pageBox(1));
    w.tick(kRequestTimerId);
    EXPECT_EQ(view.focus, Control::OneButton);
}

// --- the ticks

using Ticks = MainWindowTest;

TEST_F(Ticks, SlowTickShowsAPendingErrorOnceAndServesFocusRequestsInPageOrder)
{
    CQV58Dlg &w = start();
    view.messages.clear();
    w.errorPending = true;
    w.errorText = "Protocol file can't be opened.";
    w.pageFocusRequest[pageIndex(9)] = true;
    w.pageFocusRequest[pageIndex(2)] = true;

    w.tick(kRequestTimerId);
    w.tick(kRequestTimerId);

    EXPECT_THAT(view.messages, ElementsAre(MessageRequest{"Protocol file can't be opened.", "Tag Encoder Bench",
                                                          MessageIcon::Stop, MessageButtons::Ok}));
    EXPECT_THAT(view.focusHistory, ElementsAre(pageBox(2), pageBox(9)));
    EXPECT_THAT(view.selections, ElementsAre(pageBox(2), pageBox(9)));
    EXPECT_FALSE(w.pageFocusRequest[pageIndex(9)]);
}

TEST_F(Ticks, FastTickRunsOneCycleStepPerRequest)
{
    CQV58Dlg &w = start();
    int steps = 0;
    w.setCycleStep([&] { ++steps; });

    w.tick(kCycleTimerId);
    w.cycleRequested = true;
    w.tick(kCycleTimerId);
    w.tick(kCycleTimerId);

    EXPECT_EQ(steps, 1);
    EXPECT_FALSE(w.cycleRequested);
}

// --- the log file label

TEST(LogFileLabelText, ShowsNamesUpTo51CharactersInFullAndLongerOnesAsDotsAndTheirLast51)
{
    const std::string name51 = "/" + std::string(46, 'a') + ".xml";
    EXPECT_EQ(shortenedLogFileName(name51), name51);
    EXPECT_EQ(shortenedLogFileName(""), "");
    EXPECT_EQ(shortenedLogFileName("b" + name51), "..." + name51);
    EXPECT_EQ(shortenedLogFileName(std::string(200, 'c') + name51), "..." + name51);
}

TEST_F(MainWindowTest, LogFileLabelShowsTheShortenedNameAtStart)
{
    const std::string name52 = "/" + std::string(47, 'a') + ".xml";
    writeSettings(iniLines({"[Manual]", "file name=" + name52}));
    CQV58Dlg &w = start();
    EXPECT_EQ(shown(Control::LogFileLabel), "..." + name52.substr(1));
    EXPECT_EQ(w.manualLogFileShown, "..." + name52.substr(1));
    EXPECT_EQ(w.manualLogFileName, name52);
}

} // namespace
} // namespace teb::test
