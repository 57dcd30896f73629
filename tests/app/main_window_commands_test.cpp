#include "main_window_fixture.h"

#include "windows/main/time_of_day.h"

namespace teb::test {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

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
    EXPECT_THAT(dialogs.messages[0].text, StartsWith("COM4 could not be opened!\r\n"));
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
        {17, false, "None", "3031", "3031", hexMessage},
        {9, true, "Left", "abc", "a b c NUL NUL NUL NUL NUL", ""},
        {4, true, "None", "abc", "abc", asciiMessage},
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

TEST(TraceLogTest, ShowsEachExchangeNewestFirstAndSaysWhenItCannotBeSaved)
{
    TraceLog trace;
    trace.sent("10:00:00.001", "WD 3 3031\r");
    trace.received("10:00:00.090", std::string("AC\x01K\xE9\r\n"));
    trace.unanswered("10:00:01.000");
    EXPECT_EQ(trace.newestFirst(), "10:00:01.000 \xE2\x86\x90 (no answer)\r\n"
                                   "10:00:00.090 \xE2\x86\x90 AC\\x01K\\xE9\r\n"
                                   "10:00:00.001 \xE2\x86\x92 WD 3 3031\r\n");

    TempDir dir;
    std::string problem;
    EXPECT_FALSE(trace.save(dir.path(), problem)); // a folder in the file's place
    EXPECT_FALSE(problem.empty());
}

// "Trace" shows every exchange: what the buttons sent and what came back,
// with the time in milliseconds; "Save trace" writes it to the file chosen.
TEST_F(MainWindowWithReader, TheTraceShowsEveryExchangeAndIsSavedOnRequest)
{
    CQV58Dlg &w = start();
    w.setWallClock([] { return std::chrono::system_clock::time_point{}; });
    const std::string at = timeOfDay(std::chrono::system_clock::time_point{}, true) + " ";
    const std::string to = at + "\xE2\x86\x92 ", from = at + "\xE2\x86\x90 ";
    click(Control::ReadUidButton);
    click(Control::TraceSwitch);
    EXPECT_EQ(shown(Control::TraceView), from + "E0040150\r\n" + to + "RUID\r\n" + from + "10\r\n" + to + "TOR\r\n");

    dialogs.fileAnswers = {dir / "saved.txt"};
    click(Control::SaveTraceButton);
    EXPECT_TRUE(readFileBytes(dir / "saved.txt").starts_with(to + "TOR\r\n" + from + "10\r\n"));
}

} // namespace
} // namespace teb::test
