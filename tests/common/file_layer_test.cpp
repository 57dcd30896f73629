#include "common/file_layer.h"

#include "common/file_descriptor.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>

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

TEST(FileLayer, AReplacementKeepsModeOwnerAndLinkAndANewFileFollowsTheUmask)
{
    test::TempDir dir;
    const auto file = dir / "ids.csv";
    for (const mode_t mode : {0600, 0640, 0751, 02770}) {
        writeFileBytes(file, "old");
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        struct stat before {};
        ::stat(file.c_str(), &before);
        ASSERT_EQ(replaceFileAtomically(file, "new"), ReplaceResult::Replaced);
        struct stat after {};
        ::stat(file.c_str(), &after);
        EXPECT_EQ(after.st_mode & 07777, mode);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
    }

    fs::create_symlink("ids.csv", dir / "link.csv");
    ASSERT_EQ(replaceFileAtomically(dir / "link.csv", "through the link"), ReplaceResult::Replaced);
    EXPECT_TRUE(fs::is_symlink(dir / "link.csv"));
    EXPECT_EQ(readFileBytes(file), "through the link");

    const mode_t previous = ::umask(027);
    const auto created = dir / (std::string(251, 'n') + ".ini"); // no room for a longer temporary name
    EXPECT_EQ(replaceFileAtomically(created, "[A]\r\n"), ReplaceResult::Replaced);
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
        ReplaceResult result;
        const char *contentAfter;
    };
    const Case cases[] = {
        {"read-only, also for root", "x.ini", 0444, FailSync::None, ReplaceResult::NotWritable, "old"},
        {"a folder in its place", "folder", 0644, FailSync::None, ReplaceResult::NotWritable, nullptr},
        {"a missing folder", "missing/x.ini", 0644, FailSync::None, ReplaceResult::Failed, nullptr},
        {"the file's sync fails", "x.ini", 0644, FailSync::Files, ReplaceResult::Failed, "old"},
        {"the folder's sync fails", "x.ini", 0644, FailSync::Folders, ReplaceResult::Failed, "new"},
    };
    for (const Case &c : cases) {
        test::TempDir dir;
        writeFileBytes(dir / "x.ini", "old");
        ::chmod((dir / "x.ini").c_str(), c.mode);
        fs::create_directories(dir / "folder" / "inside");
        const fs::path file = dir / c.file;
        failSync = c.fail;
        EXPECT_EQ(replaceFileAtomically(file, "new"), c.result) << c.name;
        failSync = FailSync::None;
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
    EXPECT_EQ(readWholeFile(dir / "ten", 10), "0123456789");
    for (const char *name : {"ten", "pipe", ".", "missing"})
        EXPECT_EQ(readWholeFile(dir / name, 9), std::nullopt) << name;
}

TEST(FileLayer, AFailedAppendOrSyncIsReported)
{
    const FileDescriptor full(openForAppend("/dev/full"));
    ASSERT_TRUE(full.valid());
    EXPECT_FALSE(appendWhole(full.get(), "line\r\n", 0, Durability::Unsynced));
    EXPECT_EQ(errno, ENOSPC);

    const FileDescriptor null(openForAppend("/dev/null")); // takes the bytes, refuses the sync
    EXPECT_TRUE(appendWhole(null.get(), "line\r\n", 0, Durability::Unsynced));
    EXPECT_FALSE(appendWhole(null.get(), "line\r\n", 0, Durability::Synced));
}

} // namespace
} // namespace teb
