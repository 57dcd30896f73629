#include "reader/open_failure.h"
#include "reader/reader_port.h"

#include "support/pseudo_line.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace teb {
namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

const PortListSource kPortsThere = [] { return std::vector<std::string>{"COM1", "COM33"}; };

// What the system reports decides the reason; each names its fix.
TEST(OpenFailureReason, EachErrorNamesItsCauseAndWhatToDo)
{
    const std::tuple<int, OpenFailureKind, std::string> cases[] = {
        {EACCES, OpenFailureKind::NoPermission,
         "No permission to use /dev/ttyUSB0: add the user to the group dialout (sudo adduser $USER dialout), "
         "then log out and in again."},
        {ENOENT, OpenFailureKind::NoSuchDevice,
         "There is no device /dev/ttyUSB0 (is the adapter unplugged?). Ports there: COM1, COM33."},
        {ENODEV, OpenFailureKind::NoSuchDevice, "There is no device /dev/ttyUSB0"},
        {EBUSY, OpenFailureKind::InUse, "/dev/ttyUSB0 is in use by another program"},
        {ENOTTY, OpenFailureKind::NotASerialLine, "/dev/ttyUSB0 is not a serial line."},
        {EIO, OpenFailureKind::Other, "/dev/ttyUSB0: Input/output error."},
    };
    for (const auto &[error, kind, reason] : cases) {
        const OpenFailure failure = openFailureOf(error, "/dev/ttyUSB0");
        EXPECT_EQ(failure.kind, kind) << error;
        EXPECT_THAT(openFailureReason(failure, kPortsThere), ::testing::StartsWith(reason)) << error;
    }
    EXPECT_THAT(openFailureReason(openFailureOf(ENOENT, "COM9"), [] { return std::vector<std::string>{}; }),
                HasSubstr("COM9 (is the adapter unplugged?). No serial port is there."));

    // The message keeps its first line; the reason, when known, goes below.
    EXPECT_EQ(openFailedMessage("COM33", std::nullopt, kPortsThere), "COM33 could not be opened!");
    EXPECT_EQ(openFailedMessage("", openFailureOf(ENOENT, ""), kPortsThere),
              " could not be opened!\r\nNo port is chosen: pick one in \"Interface\" / \"Settings\".");
}

// The reasons as the port reports them for real files: a path without a
// device, a plain file; none once a port opened.
TEST(OpenFailureOfAPort, TheReaderPortTellsWhyItsDeviceDidNotOpen)
{
    test::TempDir dir;
    test::writeFileBytes(dir / "COM5", "a plain file");
    fs::create_symlink(dir / "gone", dir / "COM8");
    ReaderPort port;
    port.setWorkingDirectory(dir.path());
    const std::pair<std::string, OpenFailure> cases[] = {
        {"COM5", {OpenFailureKind::NotASerialLine, dir / "COM5", ENOTTY}},
        {"COM8", {OpenFailureKind::NoSuchDevice, dir / "COM8", ENOENT}},
        {"NOPORT", {OpenFailureKind::NoSuchDevice, "NOPORT", ENOENT}},
    };
    for (const auto &[name, failure] : cases) {
        EXPECT_EQ(port.Open(name, 115200, 8, 0, 0, 0), kNoPort) << name;
        EXPECT_EQ(port.openFailure(), failure) << name;
    }

    test::PseudoLine line;
    ASSERT_FALSE(line.slavePath.empty());
    const PortHandle handle = port.Open(line.slavePath, 115200, 8, 0, 0, 0);
    EXPECT_TRUE(isUsablePort(handle));
    EXPECT_EQ(port.openFailure(), std::nullopt);
    port.Close(handle);
}

// Another program ("sleep", in a process of its own) holds the line open and locked.
TEST(OpenFailureOfAPort, APortHeldByAnotherProgramNamesIt)
{
    test::PseudoLine line;
    const pid_t holder = fork();
    if (holder == 0) {
        const int fd = ::open(line.slavePath.c_str(), O_RDWR | O_NOCTTY);
        if (fd >= 0 && flock(fd, LOCK_EX) == 0)
            execlp("sleep", "sleep", "60", static_cast<char *>(nullptr));
        _exit(1);
    }
    const std::vector<DeviceHolder> holding{{"sleep", holder}};
    for (int attempt = 0; attempt < 500 && deviceHolders(line.slavePath) != holding; ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ReaderPort port;
    const bool refused = port.Open(line.slavePath, 115200, 8, 0, 0, 0) == kNoPort && port.openFailure();
    const std::string reason = refused ? openFailureReason(*port.openFailure(), nullptr) : "opened";
    ::kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_EQ(reason, line.slavePath + " is in use by another program: sleep (process " + std::to_string(holder) + ").");
}

// Only folders named by a process number that fits count: a name too long for
// one is passed over, never taken as some other number nor thrown over.
TEST(OpenFailureOfAPort, OnlyProcessFoldersWithAProcessNumberAreLookedAt)
{
    test::TempDir processes;
    test::writeFileBytes(processes / "device", "");
    for (const char *name : {"4321", "99999999999", "+12", "self"}) {
        fs::create_directories(processes / name / "fd");
        fs::create_symlink(processes / "device", processes / name / "fd" / "3");
        test::writeFileBytes(processes / name / "comm", "sleep\n");
    }
    const std::vector<DeviceHolder> holding{{"sleep", 4321}};
    EXPECT_EQ(deviceHolders(processes / "device", processes.path()), holding);
}

} // namespace
} // namespace teb
