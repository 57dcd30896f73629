// Finding the port: COM names and the devices behind them, an adapter that
// comes back, and why a port did not open.
#include "reader/open_failure.h"
#include "reader/port_identity.h"
#include "reader/port_names.h"
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

// A machine in a folder: serial lines that are links to /dev/null (a
// character device), the kernel's tty list with UART types, and a working
// directory whose "COM34" leads to a device and "COM35" nowhere.
class DeviceFolder : public testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(working);
        fs::create_directories(folders.devices);
        for (const char *line : {"ttyS0", "ttyS1", "ttyS2", "ttyS31", "ttyUSB0", "ttyUSB31", "ttyACM0", "ttyACM31"})
            fs::create_symlink("/dev/null", folders.devices / line);
        for (const auto &[line, type] : {std::pair{"ttyS0", "4\n"}, {"ttyS1", "0\n"}, {"ttyS31", "4\n"}}) {
            fs::create_directories(folders.ttyClass / line); // type 0: no UART behind the line
            test::writeFileBytes(folders.ttyClass / line / "type", type);
        }
        fs::create_symlink(folders.devices / "ttyACM0", working / "COM34");
        fs::create_symlink(dir / "nowhere", working / "COM35");
    }

    test::TempDir dir;
    DeviceFolders folders{dir / "dev", dir / "sys-class-tty", dir / "dev-serial-by-id"};
    fs::path working = dir / "work";
};

TEST_F(DeviceFolder, ComNamesResolveToTheirLinkOrTheirDeviceFamily)
{
    const std::pair<std::string, std::optional<fs::path>> cases[] = {
        {"COM1", folders.devices / "ttyS0"},    {"COM32", folders.devices / "ttyS31"},
        {"COM33", folders.devices / "ttyUSB0"}, {"com64", folders.devices / "ttyUSB31"},
        {"COM65", folders.devices / "ttyACM0"}, {"COM96", folders.devices / "ttyACM31"},
        {"COM2", std::nullopt},                 // a ttyS line without UART
        {"COM3", std::nullopt},                 // a ttyS line the kernel does not list
        {"COM34", working / "COM34"},           // the working directory comes first
        {"COM35", working / "COM35"}, // a link to nowhere still stands for its name
        {"/dev/ttyUSB5", "/dev/ttyUSB5"},
    };
    for (const auto &[name, device] : cases)
        EXPECT_EQ(resolvePortName(name, working, folders), device) << name;
    for (const char *name : {"COM0", "COM01", "COM97", "COM5x", "LPT1", ""})
        EXPECT_EQ(resolvePortName(name, working, folders), std::nullopt) << name;
}

// A port that hung up is known again by its /dev/serial/by-id name, also
// under another device number; any other by the path it was opened through.
TEST_F(DeviceFolder, ALostAdapterComesBackByItsStableName)
{
    fs::create_directories(folders.serialById);
    fs::remove(folders.devices / "ttyUSB0");
    fs::create_symlink("/dev/zero", folders.devices / "ttyUSB0");
    const fs::path byId = folders.serialById / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    fs::create_symlink(folders.devices / "ttyUSB0", byId);
    fs::create_symlink("/dev/random", folders.devices / "ttyACM5");
    fs::create_symlink(folders.devices / "ttyACM5", working / "COM7");

    const std::optional<PortIdentity> adapter = identifyPort(folders.devices / "ttyUSB0", folders);
    const std::optional<PortIdentity> linked = identifyPort(working / "COM7", folders);
    ASSERT_TRUE(adapter && linked);
    EXPECT_EQ(adapter->serialById, byId.filename());
    EXPECT_EQ(linked->serialById, "");
    EXPECT_EQ(returnedPort(*adapter, folders), byId);

    fs::remove(byId); // both pulled
    fs::remove(folders.devices / "ttyACM5");
    EXPECT_EQ(returnedPort(*adapter, folders), std::nullopt);
    EXPECT_EQ(returnedPort(*linked, folders), std::nullopt);

    fs::create_symlink("/dev/full", byId); // back, as another ttyUSB
    fs::create_symlink("/dev/random", folders.devices / "ttyACM5");
    EXPECT_EQ(returnedPort(*adapter, folders), byId);
    EXPECT_EQ(returnedPort(*linked, folders), working / "COM7");
}

} // namespace
} // namespace teb
