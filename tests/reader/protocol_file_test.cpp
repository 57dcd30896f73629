#include "reader/date_time_stamp.h"
#include "reader/protocol_file.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace teb {
namespace {

namespace fs = std::filesystem;
using test::readFileBytes;

// A clock standing at the given local date and time.
WallClock fixedClock(int year, int month, int day, int hour, int minute, int second)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    const auto at = std::chrono::system_clock::from_time_t(std::mktime(&local));
    return [at] { return at; };
}

TEST(DateTimeStamp, IsTheLocalTimeInSeventeenCharacters)
{
    EXPECT_EQ(dateTimeStamp(fixedClock(2026, 3, 5, 7, 4, 9)), " 5/03/26;07:04:09");
    EXPECT_EQ(dateTimeStamp(fixedClock(2026, 12, 15, 3, 46, 43)), "15/12/26;03:46:43");
    EXPECT_EQ(dateTimeStamp(fixedClock(2000, 1, 31, 23, 59, 59)), "31/01/00;23:59:59");
    EXPECT_EQ(dateTimeStamp().size(), 17u);
}

// Files of ten million bytes and more are sparse: they take no room on disk.
TEST(ProtocolFile, AppendsStampedLinesAndMovesOnOnlyPastTenMillionBytes)
{
    test::TempDir dir;
    const fs::path first = dir / "IntProt_0.txt";
    const std::string line = " 5/03/26;07:04:09;One\r\n";
    test::writeFileBytes(first, "earlier run\r\n");
    ProtocolFile protocol(fixedClock(2026, 3, 5, 7, 4, 9));
    ProtocolFileError error;
    ASSERT_TRUE(protocol.append(dir.path(), "One", error));
    EXPECT_EQ(readFileBytes(first), "earlier run\r\n" + line);

    fs::resize_file(first, 10'000'000); // at the limit: still used
    ASSERT_TRUE(protocol.append(dir.path(), "One", error));
    EXPECT_EQ(protocol.protocolFileCounter, 0);
    ASSERT_EQ(fs::file_size(first), 10'000'000 + line.size());

    ASSERT_TRUE(protocol.append(dir.path(), "One", error));
    EXPECT_EQ(protocol.protocolFileCounter, 1);
    EXPECT_EQ(fs::file_size(first), 10'000'000 + line.size());
    ProtocolFile nextRun(fixedClock(2026, 3, 5, 7, 4, 9)); // counts from 0 and finds room in IntProt_1
    ASSERT_TRUE(nextRun.append(dir.path(), "One", error));
    EXPECT_EQ(nextRun.protocolFileCounter, 1);
    EXPECT_EQ(readFileBytes(dir / "IntProt_1.txt"), line + line);
}

TEST(ProtocolFile, AFileThatCannotBeOpenedIsReportedAndNothingIsWritten)
{
    test::TempDir dir;
    fs::create_directory(dir / "IntProt_0.txt");
    ProtocolFile protocol;
    ProtocolFileError error;
    EXPECT_FALSE(protocol.append(dir.path(), "One", error));
    EXPECT_NE(error.message().find(dir / "IntProt_0.txt"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "IntProt_1.txt"));
}

// A line the file system cannot make durable is no line written.
TEST(ProtocolFile, ALineThatCannotBeSyncedIsReported)
{
    test::TempDir dir;
    fs::create_symlink("/dev/null", dir / "IntProt_0.txt"); // takes the line, refuses the sync
    ProtocolFile protocol;
    ProtocolFileError error;
    EXPECT_FALSE(protocol.append(dir.path(), "One", error));
    EXPECT_EQ(error.error, std::errc::invalid_argument);
}

} // namespace
} // namespace teb
