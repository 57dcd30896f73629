#include "common/file_layer.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <optional>

#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Which syncs fail, so that a disk refusing them can be played without root.
enum class FailSync { None, Files, Folders };
std::atomic<FailSync> failSync{FailSync::None};

} // namespace

// The test program's own fsync comes before the C library's.
extern "C" int fsync(int fd)
{
    struct stat status {};
    const FailSync fail = failSync;
    if (fail != FailSync::None && ::fstat(fd, &status) == 0 &&
        S_ISDIR(status.st_mode) == (fail == FailSync::Folders)) {
        errno = EIO;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

namespace teb {
namespace {

namespace fs = std::filesystem;
using test::readFileBytes;
using test::writeFileBytes;

int hiddenEntries(const fs::path &folder)
{
    int count = 0;
    for (const auto &entry : fs::directory_iterator(folder))
        count += entry.path().filename().string().starts_with(".") ? 1 : 0;
    return count;
}

// What a replacement did; nullopt when it failed.
std::optional<ReplaceResult> outcome(const Result<ReplaceResult> &result)
{
    return result ? std::optional(*result) : std::nullopt;
}

TEST(FileLayer, AReplacementKeepsModeOwnerAndLinkAndANewFileFollowsTheUmask)
{
    test::TempDir dir;
    const auto file = dir / "ids.csv";
    for (const mode_t mode : {0600, 0640, 0751, 02770}) {
        writeFileBytes(file, "old");
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        struct stat before {};
        ::stat(file.c_str(), &before);
        ASSERT_EQ(outcome(replaceFileAtomically(file, "new")), ReplaceResult::Replaced);
        struct stat after {};
        ::stat(file.c_str(), &after);
        EXPECT_EQ(after.st_mode & 07777, mode);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
    }

    fs::create_symlink("ids.csv", dir / "link.csv");
    ASSERT_EQ(outcome(replaceFileAtomically(dir / "link.csv", "through the link")), ReplaceResult::Replaced);
    EXPECT_TRUE(fs::is_symlink(dir / "link.csv"));
    EXPECT_EQ(readFileBytes(file), "through the link");

    const mode_t previous = ::umask(027);
    const auto created = dir / (std::string(251, 'n') + ".ini"); // no room for a longer temporary name
    EXPECT_EQ(outcome(replaceFileAtomically(created, "[A]\r\n")), ReplaceResult::Replaced);
    ::umask(previous);
    struct stat status {};
    ::stat(created.c_str(), &status);
    EXPECT_EQ(status.st_mode & 07777, 0640);
    EXPECT_EQ(hiddenEntries(dir.path()), 0);
}

TEST(FileLayer, AFailedReplacementLeavesNoTemporaryAndTheOldFileUnlessOnlyTheFolderSyncFailed)
{
    struct Case {
        const char *name;
        const char *file;
        mode_t mode; // of the old "x.ini"
        FailSync fail;
        std::optional<ReplaceResult> result; // nullopt: failed with `error`
        int error;
        const char *contentAfter;
    };
    const Case cases[] = {
        {"read-only, also for root", "x.ini", 0444, FailSync::None, ReplaceResult::NotWritable, 0, "old"},
        {"a folder in its place", "folder", 0644, FailSync::None, ReplaceResult::NotWritable, 0, nullptr},
        {"a missing folder", "missing/x.ini", 0644, FailSync::None, std::nullopt, ENOENT, nullptr},
        {"the file's sync fails", "x.ini", 0644, FailSync::Files, std::nullopt, EIO, "old"},
        {"the folder's sync fails", "x.ini", 0644, FailSync::Folders, std::nullopt, EIO, "new"},
    };
    for (const Case &c : cases) {
        test::TempDir dir;
        writeFileBytes(dir / "x.ini", "old");
        ::chmod((dir / "x.ini").c_str(), c.mode);
        fs::create_directories(dir / "folder" / "inside");
        const fs::path file = dir / c.file;
        failSync = c.fail;
        const auto result = replaceFileAtomically(file, "new");
        failSync = FailSync::None;
        EXPECT_EQ(outcome(result), c.result) << c.name;
        EXPECT_EQ(result ? 0 : result.failure().systemError, c.error) << c.name;
        EXPECT_EQ(hiddenEntries(dir.path()), 0) << c.name;
        if (c.contentAfter) {
            EXPECT_EQ(readFileBytes(file), c.contentAfter) << c.name;
        }
    }
}

TEST(FileLayer, WholeFileReadsAreBounded)
{
    test::TempDir dir;
    writeFileBytes(dir / "ten", "0123456789");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0); // no writer: a read must not wait for one
    EXPECT_EQ(readWholeFile(dir / "ten", 10).valueOr(""), "0123456789");
    for (const char *name : {"ten", "pipe", ".", "missing"})
        EXPECT_FALSE(readWholeFile(dir / name, 9)) << name;
}

TEST(FileLayer, AFailedAppendOrSyncIsReported)
{
    const auto full = openForAppend("/dev/full");
    ASSERT_TRUE(full);
    const auto refused = appendWhole(full->get(), "line\r\n", 0, Durability::Unsynced);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.failure().systemError, ENOSPC);

    const auto null = openForAppend("/dev/null"); // takes the bytes, refuses the sync
    ASSERT_TRUE(null);
    EXPECT_TRUE(appendWhole(null->get(), "line\r\n", 0, Durability::Unsynced));
    const auto unsynced = appendWhole(null->get(), "line\r\n", 0, Durability::Synced);
    ASSERT_FALSE(unsynced);
    EXPECT_EQ(unsynced.failure().systemError, EINVAL);
}

} // namespace
} // namespace teb
