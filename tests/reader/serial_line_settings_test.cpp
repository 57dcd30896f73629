#include "reader/serial_line_settings.h"

#include <gtest/gtest.h>
#include <termios.h>

#include <ostream>

namespace teb {

void PrintTo(const LineSettings &s, std::ostream *out)
{
    *out << s.baudRate << " baud, " << s.dataBits << " data bits, parity " << s.parityCode
         << ", stop bits " << s.stopBitsCode << ", flow " << s.flowControlCode;
}

namespace {

struct MappingCase {
    LineSettings settings;
    std::uint32_t controlFlags;
    std::uint32_t inputFlags;
};

void PrintTo(const MappingCase &c, std::ostream *out)
{
    teb::PrintTo(c.settings, out);
}

class LineFlagsMapping : public testing::TestWithParam<MappingCase> {};

TEST_P(LineFlagsMapping, GivesTheTerminalFlagsOfTheLine)
{
    const MappingCase &c = GetParam();
    const std::optional<TerminalLineFlags> flags = terminalLineFlags(c.settings);
    ASSERT_TRUE(flags.has_value());
    EXPECT_EQ(flags->controlFlags, c.controlFlags);
    EXPECT_EQ(flags->inputFlags, c.inputFlags);
    EXPECT_EQ(flags->baudRate, static_cast<std::uint32_t>(c.settings.baudRate));
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, LineFlagsMapping,
    testing::Values(MappingCase{{115200, 8, 0, 0, 0}, CS8, 0},
                    MappingCase{{9600, 7, 1, 0, 0}, CS7 | PARENB | PARODD, 0},
                    MappingCase{{9600, 7, 2, 0, 0}, CS7 | PARENB, 0},
                    MappingCase{{9600, 7, 3, 0, 0}, CS7 | PARENB | PARODD | CMSPAR, 0},
                    MappingCase{{9600, 7, 4, 0, 0}, CS7 | PARENB | CMSPAR, 0},
                    MappingCase{{9600, 6, 0, 2, 0}, CS6 | CSTOPB, 0},
                    MappingCase{{300, 5, 0, 1, 0}, CS5 | CSTOPB, 0},
                    MappingCase{{300, 5, 0, 2, 0}, CS5 | CSTOPB, 0},
                    MappingCase{{19200, 8, 0, 0, 1}, CS8, IXON | IXOFF},
                    MappingCase{{19200, 8, 0, 0, 2}, CS8 | CRTSCTS, 0},
                    MappingCase{{19200, 8, 0, 0, 3}, CS8, 0},
                    MappingCase{{19200, 8, 0, 0, -1}, CS8, 0},
                    MappingCase{{56000, 8, 0, 0, 0}, CS8, 0},
                    MappingCase{{256000, 8, 2, 2, 2}, CS8 | PARENB | CSTOPB | CRTSCTS, 0}));

class RefusedLineSettings : public testing::TestWithParam<LineSettings> {};

TEST_P(RefusedLineSettings, CannotBeRepresented)
{
    EXPECT_FALSE(terminalLineFlags(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(Refused, RefusedLineSettings,
                         testing::Values(LineSettings{0, 8, 0, 0, 0}, LineSettings{-9600, 8, 0, 0, 0},
                                         LineSettings{9600, 4, 0, 0, 0}, LineSettings{9600, 0, 0, 0, 0},
                                         LineSettings{9600, 9, 0, 0, 0}, LineSettings{9600, 8, 5, 0, 0},
                                         LineSettings{9600, 8, -1, 0, 0}, LineSettings{9600, 8, 0, 3, 0},
                                         LineSettings{9600, 8, 0, -1, 0}, LineSettings{9600, 6, 0, 1, 0},
                                         LineSettings{9600, 8, 0, 1, 0}));

TEST(LineSpeed, StandardRatesHaveTheirConstantBothWaysAndOthersNone)
{
    EXPECT_EQ(standardSpeedCode(115200), std::optional<std::uint32_t>(B115200));
    EXPECT_EQ(standardSpeedCode(110), std::optional<std::uint32_t>(B110));
    for (const std::uint32_t rate : {14400u, 56000u, 128000u, 256000u, 0u})
        EXPECT_FALSE(standardSpeedCode(rate).has_value()) << rate;
    EXPECT_EQ(baudRateOfSpeedCode(B57600), std::optional<std::uint32_t>(57600));
    EXPECT_FALSE(baudRateOfSpeedCode(B0).has_value());
}

TEST(DriverReport, ACharacterFormatOrFlowControlOtherThanAskedMeansRefused)
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
}

TEST(DriverReport, ASpeedIsTakenWhenTheLineCanStillKeepInStep)
{
    const TerminalLineFlags wanted{CS8, 0, 56000};
    EXPECT_TRUE(driverTookLineFlags(wanted, {CS8, 0, 57600}));
    EXPECT_TRUE(driverTookLineFlags(wanted, {CS8, 0, 54500}));
    EXPECT_FALSE(driverTookLineFlags(wanted, {CS8, 0, 38400}));
    EXPECT_FALSE(driverTookLineFlags({CS8, 0, 115200}, {CS8, 0, 0}));
}

} // namespace
} // namespace teb
