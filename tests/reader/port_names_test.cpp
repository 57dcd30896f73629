#include "reader/port_identity.h"
#include "reader/port_names.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace teb {
namespace {

namespace fs = std::filesystem;

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
