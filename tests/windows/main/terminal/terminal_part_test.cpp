// The terminal group's trace: every exchange, newest first, and "Save trace".
#include "windows/main/cqv58_dlg_fixture.h"

#include "windows/main/time_of_day.h"

namespace teb::test {
namespace {

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
