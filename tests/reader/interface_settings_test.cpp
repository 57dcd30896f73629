// The line settings: the settings file's texts and the terminal flags they
// come to on the line.
#include "reader/interface_settings_texts.h"
#include "reader/serial_line_settings.h"

#include <gtest/gtest.h>
#include <termios.h>

#include <tuple>

namespace teb {
namespace {

// The settings file's texts map through the same lists, read leniently.
TEST(SettingsInterfaceTexts, CodesFollowTheFirstWordFoundInTheText)
{
    const std::tuple<const char *, const char *, const char *, int, int, int> cases[] = {
        {"1.5", "Odd", "Xon / Xoff", stopbits::OneAndHalf, parity::Odd, flowcontrol::XonXoff},
        {"1.52", "OddMark", "Hardware Xon / Xoff", stopbits::Two, parity::Mark, flowcontrol::XonXoff},
        {"", "Space", "Hardware", stopbits::One, parity::Space, flowcontrol::Hardware}};
    for (const auto &[stopText, parityWord, flowText, stopCode, parityCode, flowCode] : cases) {
        EXPECT_EQ(std::tuple(readStopBitsSetting(stopText), readParitySetting(parityWord),
                             readFlowControlSetting(flowText)),
                  std::tuple(stopCode, parityCode, flowCode)) << parityWord;
    }
}

TEST(LineSettings, MapOntoTheTerminalFlagsOfTheLine)
{
    const struct {
        LineSettings settings;
        std::uint32_t controlFlags;
        std::uint32_t inputFlags;
    } cases[] = {
        {{115200, 8, 0, 0, 0}, CS8, 0},
        {{9600, 7, 1, 0, 0}, CS7 | PARENB | PARODD, 0},
        {{9600, 7, 2, 0, 0}, CS7 | PARENB, 0},
        {{9600, 7, 3, 0, 0}, CS7 | PARENB | PARODD | CMSPAR, 0},
        {{9600, 7, 4, 0, 0}, CS7 | PARENB | CMSPAR, 0},
        {{9600, 6, 0, 2, 0}, CS6 | CSTOPB, 0},
        {{300, 5, 0, 1, 0}, CS5 | CSTOPB, 0}, // one and a half: the line's "two" with five data bits
        {{19200, 8, 0, 0, 1}, CS8, IXON | IXOFF},
        {{19200, 8, 0, 0, 2}, CS8 | CRTSCTS, 0},
        {{19200, 8, 0, 0, 3}, CS8, 0}, // any other flow-control code: none
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        const std::optional<TerminalLineFlags> flags = terminalLineFlags(c.settings);
        ASSERT_TRUE(flags.has_value());
        EXPECT_EQ(*flags, (TerminalLineFlags{c.controlFlags, c.inputFlags,
                                             static_cast<std::uint32_t>(c.settings.baudRate)}));
    }
}

TEST(LineSettings, ThatNoSerialLineCanCarryAreRefused)
{
    const LineSettings refused[] = {{0, 8, 0, 0, 0},    {9600, 4, 0, 0, 0}, {9600, 9, 0, 0, 0}, {9600, 8, 5, 0, 0},
                                    {9600, 8, 0, 3, 0}, {9600, 6, 0, 1, 0}, {9600, 5, 0, 2, 0}};
    for (const LineSettings &settings : refused)
        EXPECT_FALSE(terminalLineFlags(settings).has_value()) << &settings - refused;
}

TEST(LineSettings, TheDriverTookThemOnlyWithTheSameFormatAndASpeedThatKeepsInStep)
{
    const TerminalLineFlags wanted{CS7 | PARENB, 0, 9600};
    EXPECT_TRUE(driverTookLineFlags(wanted, wanted));
    EXPECT_FALSE(driverTookLineFlags(wanted, {CS8, 0, 9600}));
    EXPECT_FALSE(driverTookLineFlags(wanted, {CS7, 0, 9600}));
    EXPECT_FALSE(driverTookLineFlags(wanted, {CS7 | PARENB | CSTOPB, 0, 9600}));
    EXPECT_FALSE(driverTookLineFlags(wanted, {CS7 | PARENB, IXON | IXOFF, 9600}));
    EXPECT_FALSE(driverTookLineFlags({CS8 | CRTSCTS, 0, 9600}, {CS8, 0, 9600}));
    // Odd and mark bits mean nothing while parity is off.
    EXPECT_TRUE(driverTookLineFlags({CS8, 0, 9600}, {CS8 | PARODD | CMSPAR, 0, 9600}));

    EXPECT_TRUE(driverTookLineFlags({CS8, 0, 56000}, {CS8, 0, 57600}));
    EXPECT_TRUE(driverTookLineFlags({CS8, 0, 56000}, {CS8, 0, 54500}));
    EXPECT_FALSE(driverTookLineFlags({CS8, 0, 56000}, {CS8, 0, 38400}));
    EXPECT_FALSE(driverTookLineFlags({CS8, 0, 115200}, {CS8, 0, 0}));
}

} // namespace
} // namespace teb
