#include "reader/port_names.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace teb {
namespace {

namespace fs = std::filesystem;

// A machine in a folder: a device folder whose serial lines are links to
// /dev/null (a character device), the kernel's tty list with UART types,
// and a working directory.
class DeviceFolder : public testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(folders.devices);
        fs::create_directories(working);
        for (const char *line : {"ttyS0", "ttyS1", "ttyS2", "ttyS31", "ttyUSB0", "ttyUSB31", "ttyACM0",
                                 "ttyACM31"})
            fs::create_symlink("/dev/null", folders.devices / line);
        uartType("ttyS0", "4");
        uartType("ttyS1", "0"); // a line without a UART behind it
        uartType("ttyS31", "4");
        // ttyS2 has no kernel entry at all
    }

    void uartType(const std::string &line, const std::string &type)
    {
        fs::create_directories(folders.ttyClass / line);
        test::writeFileBytes(folders.ttyClass / line / "type", type + "\n");
    }

    std::optional<fs::path> resolve(const std::string &name) const
    {
        return resolvePortName(name, working, folders);
    }

    test::TempDir dir;
    DeviceFolders folders{dir / "dev", dir / "sys-class-tty"};
    fs::path working = dir / "work";
};

TEST_F(DeviceFolder, ComNamesMapOntoTheDeviceFamilies)
{
    EXPECT_EQ(resolve("COM1"), folders.devices / "ttyS0");
    EXPECT_EQ(resolve("COM32"), folders.devices / "ttyS31");
    EXPECT_EQ(resolve("COM33"), folders.devices / "ttyUSB0");
    EXPECT_EQ(resolve("com64"), folders.devices / "ttyUSB31");
    EXPECT_EQ(resolve("COM65"), folders.devices / "ttyACM0");
    EXPECT_EQ(resolve("COM96"), folders.devices / "ttyACM31");
    EXPECT_EQ(resolve("COM40"), folders.devices / "ttyUSB7"); // resolves, though it does not exist
}

TEST_F(DeviceFolder, OnlyRealUartsStandForLowComNames)
{
    EXPECT_EQ(resolve("COM2"), std::nullopt);
    EXPECT_EQ(resolve("COM3"), std::nullopt);
}

TEST_F(DeviceFolder, NamesThatAreNoComNameResolveToNothing)
{
    for (const char *name : {"COM0", "COM01", "COM", "COM97", "COM5x", "LPT1", "", "ttyUSB0", "COM 1"})
        EXPECT_EQ(resolve(name), std::nullopt) << name;
}

TEST_F(DeviceFolder, ANameWithASlashIsAPathAsItStands)
{
    EXPECT_EQ(resolve("/dev/ttyUSB5"), fs::path("/dev/ttyUSB5"));
    EXPECT_EQ(resolve("./COM7"), fs::path("./COM7"));
}

TEST_F(DeviceFolder, AnEntryInTheWorkingDirectoryComesFirst)
{
    fs::create_symlink(folders.devices / "ttyACM0", working / "COM33");
    fs::create_symlink(dir / "nowhere", working / "COM34");
    EXPECT_EQ(resolve("COM33"), working / "COM33");
    EXPECT_EQ(resolve("com33"), working / "COM33");
    // A link that leads nowhere still stands for its name: no other device is taken instead.
    EXPECT_EQ(resolve("COM34"), working / "COM34");
    EXPECT_FALSE(portNameExists("COM34", working, folders));
}

TEST_F(DeviceFolder, DiscoveryListsTheComNamesOfCharacterDevicesInNumberOrder)
{
    fs::create_symlink("/dev/null", working / "COM7");
    fs::create_symlink("/dev/null", working / "COM200");
    fs::create_symlink("/dev/null", working / "COM300"); // beyond the names looked for
    test::writeFileBytes(working / "COM8", "a plain file is no port");
    fs::create_directories(working / "COM9");
    fs::create_symlink(dir / "nowhere", working / "COM10");

    const std::vector<std::string> expected{"COM1",  "COM7",  "COM32", "COM33", "COM64",
                                            "COM65", "COM96", "COM200"};
    EXPECT_EQ(discoverComPorts(working, folders), expected);
}

TEST(PortDiscovery, AMachineWithoutSerialDevicesListsNothing)
{
    test::TempDir dir;
    EXPECT_TRUE(discoverComPorts(dir.path(), {dir / "dev", dir / "sys"}).empty());
}

TEST(SerialDeviceList, NamesEachPortsDeviceAndItsMakerWhereTheSystemKnowsIt)
{
    test::TempDir dir;
    const DeviceFolders folders{dir / "dev", dir / "sys", dir / "dev" / "serial" / "by-id"};
    fs::create_directories(folders.serialById);
    fs::create_directories(dir / "work");
    fs::create_symlink("/dev/zero", folders.devices / "ttyUSB0");
    fs::create_symlink("/dev/full", folders.devices / "ttyACM0");
    fs::create_symlink("../../ttyUSB0", folders.serialById / "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    fs::create_symlink("/dev/random", dir / "work" / "COM7");

    const std::vector<SerialDeviceEntry> expected{
        {"COM7", "/dev/random", ""},
        {"COM33", "/dev/zero", "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"},
        {"COM65", "/dev/full", ""}};
    EXPECT_EQ(listSerialDevices(dir / "work", folders), expected);
}

TEST(ComPortNumber, ReadsTheNumberOfAComName)
{
    EXPECT_EQ(comPortNumber("COM12"), 12);
    EXPECT_EQ(comPortNumber("cOm3"), 3);
    EXPECT_EQ(comPortNumber("COM256"), 256);
    EXPECT_EQ(comPortNumber("COM-1"), std::nullopt);
    EXPECT_EQ(comPortNumber("COM1234"), std::nullopt);
}

} // namespace
} // namespace teb
