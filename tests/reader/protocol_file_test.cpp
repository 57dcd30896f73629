#include "reader/date_time_stamp.h"
#include "reader/protocol_file.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace teb {
namespace {

using teb::test::readFileBytes;
using teb::test::TempDir;
using teb::test::writeFileBytes;

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

TEST(DateTimeStamp, LocalTimeInSeventeenCharacters)
{
    EXPECT_EQ(dateTimeStamp(fixedClock(2026, 3, 5, 7, 4, 9)), " 5/03/26;07:04:09");
    EXPECT_EQ(dateTimeStamp(fixedClock(2026, 12, 15, 3, 46, 43)), "15/12/26;03:46:43");
    EXPECT_EQ(dateTimeStamp(fixedClock(2000, 1, 31, 23, 59, 59)), "31/01/00;23:59:59");
    EXPECT_EQ(dateTimeStamp().size(), 17u);
}

class ProtocolFileTest : public testing::Test {
protected:
    std::string contentOf(int counter) const { return readFileBytes(dir / ProtocolFile::fileName(counter)); }

    TempDir dir;
    ProtocolFileError error;
};

TEST_F(ProtocolFileTest, AppendsStampedLinesToAnExistingFile)
{
    writeFileBytes(dir / "IntProt_0.txt", "earlier run\r\n");
    ProtocolFile protocol(fixedClock(2026, 12, 15, 3, 46, 43));
    ASSERT_TRUE(protocol.append(dir.path(), "One", error));
    ASSERT_TRUE(protocol.append(dir.path(), "One", error));
    EXPECT_EQ(contentOf(0), "earlier run\r\n15/12/26;03:46:43;One\r\n15/12/26;03:46:43;One\r\n");
    EXPECT_EQ(protocol.protocolFileCounter, 0);
}

TEST_F(ProtocolFileTest, MovesOnOnlyPastTheLimitAndKeepsTheNumber)
{
    writeFileBytes(dir / "IntProt_0.txt", std::string(11, 'a')); // above a limit of 10
    writeFileBytes(dir / "IntProt_1.txt", std::string(10, 'b')); // at the limit: still used
    ProtocolFile protocol(fixedClock(2026, 3, 5, 7, 4, 9), 10);

    ASSERT_TRUE(protocol.append(dir.path(), "One", error));
    EXPECT_EQ(protocol.protocolFileCounter, 1);
    EXPECT_EQ(contentOf(1), "bbbbbbbbbb 5/03/26;07:04:09;One\r\n");

    ASSERT_TRUE(protocol.append(dir.path(), "Two", error));
    EXPECT_EQ(protocol.protocolFileCounter, 2);
    EXPECT_EQ(contentOf(2), " 5/03/26;07:04:09;Two\r\n");
    EXPECT_EQ(contentOf(0), std::string(11, 'a'));
}

TEST_F(ProtocolFileTest, AFileOfExactlyTenMillionBytesIsStillAppended)
{
    const auto file = dir / "IntProt_0.txt";
    writeFileBytes(file, "");
    std::filesystem::resize_file(file, kProtocolFileLimit);
    ProtocolFile protocol(fixedClock(2026, 3, 5, 7, 4, 9));
    ASSERT_TRUE(protocol.append(dir.path(), "One", error));
    EXPECT_EQ(protocol.protocolFileCounter, 0);
    EXPECT_EQ(std::filesystem::file_size(file), kProtocolFileLimit + 23);
}

TEST_F(ProtocolFileTest, AFileThatCannotBeOpenedIsReportedAndNothingIsWritten)
{
    std::filesystem::create_directory(dir / "IntProt_0.txt");
    ProtocolFile protocol;
    EXPECT_FALSE(protocol.append(dir.path(), "One", error));
    EXPECT_NE(error.message().find(dir / "IntProt_0.txt"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "IntProt_1.txt"));
}

TEST_F(ProtocolFileTest, WritesInTheWorkingDirectoryOfTheMoment)
{
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    ProtocolFile protocol(fixedClock(2026, 3, 5, 7, 4, 9));
    const bool written = protocol.append("One", error);
    std::filesystem::current_path(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(contentOf(0), " 5/03/26;07:04:09;One\r\n");
}

} // namespace
} // namespace teb
