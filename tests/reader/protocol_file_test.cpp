#include "reader/date_time_stamp.h"
#include "reader/protocol_file.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

namespace teb {
namespace {

namespace fs = std::filesystem;
using test::readFileBytes;

// A clock standing at the given local time, "YYYY-MM-DD hh:mm:ss".
WallClock fixedClock(const std::string &localTime)
{
    std::tm local{};
    std::istringstream(localTime) >> std::get_time(&local, "%Y-%m-%d %H:%M:%S");
    local.tm_isdst = -1;
    const auto at = std::chrono::system_clock::from_time_t(std::mktime(&local));
    return [at] { return at; };
}

TEST(DateTimeStamp, IsTheLocalTimeInSeventeenCharacters)
{
    EXPECT_EQ(dateTimeStamp(fixedClock("2026-03-05 07:04:09")), " 5/03/26;07:04:09");
    EXPECT_EQ(dateTimeStamp(fixedClock("2026-12-15 03:46:43")), "15/12/26;03:46:43");
    EXPECT_EQ(dateTimeStamp().size(), 17u);
}

// Files of ten million bytes and more are sparse: they take no room on disk.
TEST(ProtocolFile, AppendsStampedLinesAndMovesOnOnlyPastTenMillionBytes)
{
    test::TempDir dir;
    const fs::path first = dir / "IntProt_0.txt";
    const std::string line = " 5/03/26;07:04:09;One\r\n";
    test::writeFileBytes(first, "earlier run\r\n");
    ProtocolFile protocol(fixedClock("2026-03-05 07:04:09"));
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
    EXPECT_EQ(readFileBytes(dir / "IntProt_1.txt"), line);
}

// A file that cannot be opened, or a line the file system cannot make
// durable, is reported and no line written.
TEST(ProtocolFile, AFileThatCannotBeOpenedOrALineThatCannotBeSyncedIsReported)
{
    test::TempDir dir;
    fs::create_directory(dir / "IntProt_0.txt");
    ProtocolFile protocol;
    ProtocolFileError error;
    EXPECT_FALSE(protocol.append(dir.path(), "One", error));
    EXPECT_NE(error.message().find(dir / "IntProt_0.txt"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "IntProt_1.txt"));

    fs::remove(dir / "IntProt_0.txt");
    fs::create_symlink("/dev/null", dir / "IntProt_0.txt"); // takes the line, refuses the sync
    EXPECT_FALSE(ProtocolFile().append(dir.path(), "One", error));
    EXPECT_EQ(error.error, std::errc::invalid_argument);
}

} // namespace
} // namespace teb
