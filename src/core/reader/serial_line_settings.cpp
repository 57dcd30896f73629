#include "reader/serial_line_settings.h"

#include <termios.h>

#include <array>
#include <utility>

namespace teb {

namespace {

constexpr std::int32_t kMinDataBits = 5;
constexpr std::int32_t kMaxDataBits = 8;
// Two ends of a serial line stay in step up to about this speed difference.
constexpr double kBaudTolerance = 0.03;

std::uint32_t characterSizeFlag(std::int32_t dataBits)
{
    switch (dataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

std::uint32_t parityFlags(std::int32_t parityCode)
{
    switch (parityCode) {
    case parity::Odd: return PARENB | PARODD;
    case parity::Even: return PARENB;
    case parity::Mark: return PARENB | CMSPAR | PARODD;
    case parity::Space: return PARENB | CMSPAR;
    default: return 0;
    }
}

struct FlowFlags {
    std::uint32_t control = 0;
    std::uint32_t input = 0;
};

FlowFlags flowFlags(std::int32_t flowControlCode)
{
    switch (flowControlCode) {
    case flowcontrol::XonXoff: return {0, IXON | IXOFF};
    case flowcontrol::Hardware: return {CRTSCTS, 0};
    default: return {};
    }
}

bool representable(const LineSettings &settings)
{
    if (settings.baudRate <= 0)
        return false;
    if (settings.dataBits < kMinDataBits || settings.dataBits > kMaxDataBits)
        return false;
    if (settings.parityCode < parity::None || settings.parityCode > parity::Space)
        return false;
    if (settings.stopBitsCode < stopbits::One || settings.stopBitsCode > stopbits::Two)
        return false;
    // A UART sends one and a half stop bits when two are asked for with five
    // data bits: so one and a half exist only with five, two only with more.
    const bool moreThanOneStopBit = settings.stopBitsCode != stopbits::One;
    return !moreThanOneStopBit ||
           (settings.stopBitsCode == stopbits::OneAndHalf) == (settings.dataBits == kMinDataBits);
}

} // namespace

const std::uint32_t kLineControlMask = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS;
const std::uint32_t kLineInputMask = IXON | IXOFF;

std::optional<TerminalLineFlags> terminalLineFlags(const LineSettings &settings)
{
    if (!representable(settings))
        return std::nullopt;
    const std::uint32_t stopFlags = settings.stopBitsCode == stopbits::One ? 0 : CSTOPB;
    const FlowFlags flow = flowFlags(settings.flowControlCode);
    TerminalLineFlags flags;
    flags.controlFlags = characterSizeFlag(settings.dataBits) | parityFlags(settings.parityCode) |
                         stopFlags | flow.control;
    flags.inputFlags = flow.input;
    flags.baudRate = static_cast<std::uint32_t>(settings.baudRate);
    return flags;
}

namespace {

constexpr std::array<std::pair<std::uint32_t, speed_t>, 30> kSpeeds{{
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
}};

} // namespace

std::optional<std::uint32_t> standardSpeedCode(std::uint32_t baudRate)
{
    for (const auto &[rate, code] : kSpeeds) {
        if (rate == baudRate)
            return code;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> baudRateOfSpeedCode(std::uint32_t speedCode)
{
    for (const auto &[rate, code] : kSpeeds) {
        if (code == speedCode)
            return rate;
    }
    return std::nullopt;
}

bool driverTookLineFlags(const TerminalLineFlags &wanted, const TerminalLineFlags &reported)
{
    auto lineBits = [](const TerminalLineFlags &flags) {
        std::uint32_t control = flags.controlFlags & kLineControlMask;
        if (!(control & PARENB))
            control &= ~(PARODD | CMSPAR); // meaningless without parity
        return std::pair{control, flags.inputFlags & kLineInputMask};
    };
    if (lineBits(wanted) != lineBits(reported))
        return false;
    const double difference = static_cast<double>(reported.baudRate) - wanted.baudRate;
    return difference <= wanted.baudRate * kBaudTolerance &&
           -difference <= wanted.baudRate * kBaudTolerance;
}

} // namespace teb
