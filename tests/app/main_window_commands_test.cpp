#include "main_window_fixture.h"

#include "windows/main/time_of_day.h"

namespace teb::test {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

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

// "Open" chooses the manual log (cancelled without a name: the default) and,
// like "Log", switches the window's default action (focus to "One") off for
// good; a long name shows as dots and its last 51 characters.
TEST_F(MainWindowTest, OpenAndLogChooseTheManualLogAndEndTheDefaultAction)
{
    CQV58Dlg &w = start();
    click(Control::AutomaticSwitch); // "One" takes the focus only while it is enabled
    w.defaultAction();
    EXPECT_EQ(view.focus(), Control::OneButton);
    view.focusHistory.clear();
    w.clicked(Control::OpenButton);
    w.defaultAction();
    EXPECT_EQ(view.focus(), std::nullopt);
    EXPECT_EQ(w.manual().manualLogFileName, (dir / "manual_log.xml").string());
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    const FileDialogRequest &request = dialogs.fileRequests[0];
    EXPECT_EQ(request.mode, FileDialogMode::Save);
    EXPECT_EQ(request.initialDirectory, dir.path());
    EXPECT_TRUE(request.defaultExtension == "xml" && request.promptOverwrite);
    const std::string longName = (dir / std::string(60, 'n')).string() + ".xml";
    dialogs.fileAnswers.push_back(std::filesystem::path(longName));
    w.clicked(Control::OpenButton);
    EXPECT_EQ(w.manual().manualLogFileName, longName);
    EXPECT_EQ(dialogs.fileRequests[1].initialFileName, dir / "manual_log.xml");
    EXPECT_EQ(shown(Control::LogFileLabel), "..." + longName.substr(longName.size() - 51));

    const std::string name52 = "/" + std::string(47, 'a') + ".xml";
    writeSettings(iniLines({"[Manual]", "file name=" + name52}));
    start();
    view.setText(Control::LogFileLabel, "stale");
    click(Control::LogSwitch);
    EXPECT_TRUE(window->manual().manualLog && !window->run().defaultActionEnabled);
    EXPECT_EQ(view.control(Control::LogSwitch).switchOn, true);
    click(Control::LogSwitch); // switched off, the label shows the name again
    EXPECT_FALSE(window->manual().manualLog);
    EXPECT_EQ(shown(Control::LogFileLabel), "..." + name52.substr(1));
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

    EXPECT_EQ(w.link().interfaceSettings.baudRate, 19200);
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
        writeSettings(iniLines({"[Data]", std::string("Format=") + (entry.ascii ? "1" : "0"), "[Auto]",
                                "Pruefablauf_ist=aligned"}));
        writeSetFile("aligned", iniLines({"[Pages 3-17]", std::string("Alignment=") + entry.alignment}));
        CQV58Dlg &w = start();
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

TEST(TraceLogTest, KeepsTheNewestLinesAndSavesThemOldestFirst)
{
    TraceLog trace;
    trace.sent("10:00:00.001", "WD 3 3031\r");
    trace.received("10:00:00.090", std::string("AC\x01K\xE9\r\n"));
    trace.unanswered("10:00:01.000");
    trace.sent("10:00:01.000", "LD 3\r", "held back: stopped");
    const std::string lines = "10:00:01.000 \xE2\x86\x92 LD 3 (held back: stopped)\r\n"
                              "10:00:01.000 \xE2\x86\x90 (no answer)\r\n"
                              "10:00:00.090 \xE2\x86\x90 AC\\x01K\\xE9\r\n"
                              "10:00:00.001 \xE2\x86\x92 WD 3 3031\r\n";
    EXPECT_EQ(trace.newestFirst(), lines);
    EXPECT_EQ(trace.takeAdded(), lines);
    EXPECT_EQ(trace.takeAdded(), "");

    TempDir dir;
    std::string problem;
    EXPECT_FALSE(trace.save(dir.path(), problem)); // a folder in the file's place
    EXPECT_FALSE(problem.empty());

    for (std::size_t i = 0; i < TraceLog::kLineLimit; ++i)
        trace.received("10:00:02.000", std::to_string(i));
    const std::string kept = trace.newestFirst();
    EXPECT_TRUE(kept.starts_with("10:00:02.000 \xE2\x86\x90 4999\r\n"));
    EXPECT_TRUE(kept.ends_with("\xE2\x86\x90 0\r\n")); // the four older lines went
    EXPECT_EQ(trace.takeAdded(), kept);
}

TEST(CommandHistoryTest, UpGoesBackAndDownForwardToAnEmptyLine)
{
    CommandHistory history;
    EXPECT_EQ(history.older(), std::nullopt);
    for (const char *command : {"TOR", "RUID", "RUID", "", "RD 1"})
        history.add(command);
    EXPECT_EQ(history.older(), "RD 1");
    EXPECT_EQ(history.older(), "RUID"); // sent twice in a row, kept once; the empty line not at all
    EXPECT_EQ(history.older(), "TOR");
    EXPECT_EQ(history.older(), std::nullopt);
    EXPECT_EQ(history.newer(), "RUID");
    EXPECT_EQ(history.newer(), "RD 1");
    EXPECT_EQ(history.newer(), "");
    EXPECT_EQ(history.newer(), std::nullopt);
    history.older();
    history.add("LD 2"); // back to the newest end
    EXPECT_EQ(history.older(), "LD 2");
}

// "Trace" shows every exchange instead of the terminal's answers: what the
// buttons and the terminal line sent and what came back, with the time in
// milliseconds; "Save trace" writes it to the file chosen.
TEST_F(MainWindowWithReader, TheTraceShowsEveryExchangeAndIsSavedOnRequest)
{
    CQV58Dlg &w = start();
    w.setWallClock([] { return std::chrono::system_clock::time_point{}; });
    const std::string at = timeOfDay(std::chrono::system_clock::time_point{}, true) + " ";
    const std::string to = at + "\xE2\x86\x92 ", from = at + "\xE2\x86\x90 ";
    click(Control::ReadUidButton);
    view.click(Control::TraceSwitch);
    EXPECT_TRUE(view.control(Control::TraceView).visible && !view.control(Control::TerminalView).visible);
    EXPECT_EQ(view.control(Control::TraceSwitch).switchOn, true);
    EXPECT_EQ(shown(Control::TraceView), from + "E0040150\r\n" + to + "RUID\r\n" + from + "10\r\n" + to + "TOR\r\n");

    view.setText(Control::TerminalInput, "RD 1");
    click(Control::SendButton);
    ASSERT_TRUE(eventually([&] { return view.postsPending() > 0; }));
    view.deliverPosted();
    EXPECT_TRUE(shown(Control::TraceView).starts_with(from + "0000000000000000\r\n" + to + "RD 1\r\n"));
    EXPECT_TRUE(shown(Control::TerminalView).starts_with("0000000000000000")); // the terminal as always

    dialogs.fileAnswers = {dir / "saved.txt"};
    click(Control::SaveTraceButton);
    EXPECT_EQ(dialogs.fileRequests.back().initialFileName, (dir / "trace.txt").string());
    EXPECT_TRUE(readFileBytes(dir / "saved.txt").starts_with(to + "TOR\r\n" + from + "10\r\n"));

    view.click(Control::TraceSwitch);
    EXPECT_TRUE(!view.control(Control::TraceView).visible && view.control(Control::TerminalView).visible);
}

} // namespace
} // namespace teb::test
