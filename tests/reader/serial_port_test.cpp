#include "reader/serial_port.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace teb {
namespace {

using namespace std::chrono_literals;

// A pseudo-terminal whose master side the test holds; the slave side is the "serial device".
class PseudoTerminal {
public:
    PseudoTerminal()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0)
            slave = ptsname(master);
    }
    ~PseudoTerminal() { closeMaster(); }
    void closeMaster()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }

    int master = -1;
    std::string slave;
};

class SerialDevice : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(pty.slave.empty());
        fd = serial::openExclusive(pty.slave);
        ASSERT_NE(fd, serial::kNoDevice);
    }
    void TearDown() override
    {
        if (fd != serial::kNoDevice)
            serial::closeDevice(fd);
    }

    PseudoTerminal pty;
    int fd = serial::kNoDevice;
};

TEST_F(SerialDevice, CarriesBytesBothWaysInRawMode)
{
    ASSERT_TRUE(serial::applyLineSettings(fd, {115200, 8, 0, 0, 0}));
    ASSERT_EQ(::write(pty.master, "A\r\n\x00\xff", 5), 5);
    ASSERT_TRUE(serial::waitForInput(fd, 5s));
    std::string received;
    while (received.size() < 5) {
        const std::optional<std::uint8_t> byte = serial::readByte(fd);
        ASSERT_TRUE(byte.has_value());
        received.push_back(static_cast<char>(*byte));
    }
    EXPECT_EQ(received, std::string("A\r\n\x00\xff", 5)); // no translation of CR or LF
    EXPECT_EQ(serial::bytesWaiting(fd), 0);

    ASSERT_TRUE(serial::writeByte(fd, '\r'));
    char echoed = 0;
    ASSERT_EQ(::read(pty.master, &echoed, 1), 1);
    EXPECT_EQ(echoed, '\r');
}

TEST_F(SerialDevice, PurgeDropsWhatWasReceived)
{
    ASSERT_TRUE(serial::applyLineSettings(fd, {9600, 8, 0, 0, 0}));
    ASSERT_EQ(::write(pty.master, "stale", 5), 5);
    ASSERT_TRUE(serial::waitForInput(fd, 5s));
    EXPECT_TRUE(serial::purge(fd));
    EXPECT_EQ(serial::bytesWaiting(fd), 0);
}

TEST_F(SerialDevice, TakesAnyBaudRateButRefusesWhatTheDriverCannotCarry)
{
    EXPECT_TRUE(serial::applyLineSettings(fd, {56000, 8, 0, 0, 0}));
    EXPECT_TRUE(serial::applyLineSettings(fd, {128000, 8, 0, 2, 2}));
    EXPECT_TRUE(serial::applyLineSettings(fd, {9600, 8, 0, 0, 1}));
    // A pseudo-terminal always carries eight bits without parity.
    EXPECT_FALSE(serial::applyLineSettings(fd, {9600, 7, 2, 0, 0}));
    EXPECT_FALSE(serial::applyLineSettings(fd, {9600, 4, 0, 0, 0}));
    EXPECT_FALSE(serial::applyLineSettings(fd, {0, 8, 0, 0, 0}));
}

TEST_F(SerialDevice, AHungUpLineIsNeverReadyAndRefusesWrites)
{
    ASSERT_TRUE(serial::applyLineSettings(fd, {115200, 8, 0, 0, 0}));
    pty.closeMaster();
    EXPECT_FALSE(serial::waitForInput(fd, 5ms));
    EXPECT_EQ(serial::bytesWaiting(fd), 0);
    EXPECT_FALSE(serial::readByte(fd).has_value());
    EXPECT_FALSE(serial::writeByte(fd, 'x'));
    EXPECT_TRUE(serial::closeDevice(fd));
    fd = serial::kNoDevice;
}

TEST_F(SerialDevice, IsNotSharedAndReopensAfterClose)
{
    EXPECT_EQ(serial::openExclusive(pty.slave), serial::kNoDevice);
    ASSERT_TRUE(serial::closeDevice(fd));
    fd = serial::openExclusive(pty.slave);
    EXPECT_NE(fd, serial::kNoDevice);
}

TEST(SerialOpen, OnlyExistingCharacterDevicesOpen)
{
    test::TempDir dir;
    test::writeFileBytes(dir / "plain", "x");
    EXPECT_EQ(serial::openExclusive(dir / "plain"), serial::kNoDevice);
    EXPECT_EQ(serial::openExclusive(dir / "missing"), serial::kNoDevice);
    EXPECT_EQ(serial::openExclusive(dir.path()), serial::kNoDevice);
}

} // namespace
} // namespace teb
