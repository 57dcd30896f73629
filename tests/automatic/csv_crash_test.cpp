// Marking rows must never leave a half-written CSV file: a process killed at
// any moment leaves the file as it was before or after one complete mark.
#include "common/file_layer.h"
#include "automatic/csv_mark.h"
#include "automatic/csv_rows.h"
#include "support/temp_dir.h"
#include "support/trial_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace teb {
namespace {

constexpr int kRows = 10'000;
constexpr int kKills = 200;
constexpr long long kMaxWindowMicroseconds = 1'000'000;

std::string csvWithMarkedRows(int marked, int rows = kRows)
{
    std::string content = "Carrier ID,done\r\n";
    for (int row = 0; row < rows; ++row)
        content += test::idOf(row) + (row < marked ? ",X\r\n" : ",\r\n");
    return content;
}

bool markFirstOpenRow(const std::filesystem::path &file)
{
    const auto content = readWholeFile(file);
    const auto row = content ? firstUnprocessedRow(CsvFormat::Simple, *content, ",") : std::nullopt;
    return row && markRowProcessed(file, CsvFormat::Simple, *row, ",") == MarkResult::Marked;
}

// Tells the parent it runs, then marks one open row after the other until it
// is killed.
[[noreturn]] void markUntilKilled(const std::filesystem::path &file, int readyPipe)
{
    const char ready = 'r';
    if (::write(readyPipe, &ready, 1) != 1)
        _exit(1);
    while (markFirstOpenRow(file)) {
    }
    _exit(0);
}

// The number of marks when the file is a state some sequence of complete
// marks leads to; -1 otherwise.
int completedMarks(const std::string &content)
{
    const std::size_t prefix = std::string("Carrier ID,done\r\n").size();
    int marked = 0;
    std::size_t at = prefix;
    while (marked < kRows && content.compare(at, 20, test::idOf(marked) + ",X\r\n") == 0) {
        at += 20;
        ++marked;
    }
    return content == csvWithMarkedRows(marked) ? marked : -1;
}

// Temporary files a killed replacement left behind; removed once counted.
int removeLeftovers(const std::filesystem::path &directory)
{
    int leftovers = 0;
    for (const auto &entry : std::filesystem::directory_iterator(directory)) {
        if (entry.path().filename().string().rfind(".ids.csv.", 0) == 0) {
            std::filesystem::remove(entry.path());
            ++leftovers;
        }
    }
    return leftovers;
}

TEST(CsvCrashSafety, KilledWhileMarkingLeavesOldOrNewFile)
{
    test::TempDir dir;
    const auto file = dir / "ids.csv";
    test::writeFileBytes(file, csvWithMarkedRows(0));
    // Kill within about two marks, so that most kills land inside one; the
    // window follows the machine's speed, wider while no mark completes and
    // narrower while several do.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(markFirstOpenRow(file));
    long long window = 2 * std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
    test::writeFileBytes(file, csvWithMarkedRows(0));
    std::mt19937 random(20261207);

    int previous = 0;
    int advanced = 0;
    int interrupted = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            markUntilKilled(file, ready[1]);
        char signal = 0;
        ASSERT_EQ(::read(ready[0], &signal, 1), 1);
        ::close(ready[0]);
        ::close(ready[1]);
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<long long>(0, window)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const int marks = completedMarks(test::readFileBytes(file));
        ASSERT_GE(marks, previous) << "kill " << kill << ": the file is no state of complete marks";
        advanced += marks > previous ? 1 : 0;
        interrupted += removeLeftovers(dir.path()) > 0 ? 1 : 0;
        if (marks == previous)
            window = std::min(2 * window, kMaxWindowMicroseconds);
        else if (marks > previous + 2)
            window = std::max(window / 2, 1LL);
        previous = marks;
        if (marks == kRows) {
            test::writeFileBytes(file, csvWithMarkedRows(0));
            previous = 0;
        }
    }
    std::printf("%d of %d kills after a new mark, %d inside a replacement\n", advanced, kKills, interrupted);
    // The kills hit the children while they were marking, some in the middle of writing.
    EXPECT_GT(advanced, 0);
    EXPECT_GT(interrupted, 0);
}

// Two station processes marking rows of one shared CSV file at once: no mark
// is lost to the other's replacement.
TEST(CsvSharedFile, TwoProcessesMarkingRowsLoseNoMark)
{
    constexpr int kShared = 400;
    test::TempDir dir;
    const auto file = dir / "ids.csv";
    test::writeFileBytes(file, csvWithMarkedRows(0, kShared));
    pid_t children[2];
    for (int half = 0; half < 2; ++half) {
        children[half] = ::fork();
        ASSERT_GE(children[half], 0);
        if (children[half] == 0) {
            bool all = true;
            for (int row = half; row < kShared; row += 2)
                all = markRowProcessed(file, CsvFormat::Simple, CsvRow{static_cast<std::size_t>(row) + 1, test::idOf(row) + ","},
                                       ",") == MarkResult::Marked && all;
            _exit(all ? 0 : 1);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_TRUE(test::readFileBytes(file) == csvWithMarkedRows(kShared, kShared));
}

} // namespace
} // namespace teb
