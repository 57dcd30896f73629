#pragma once

#include "reader/interface_settings.h"

#include <cstdint>
#include <optional>

namespace teb {

// The five line values of the interface settings, as the port receives them.
struct LineSettings {
    std::int32_t baudRate = 115200;
    std::int32_t dataBits = 8;
    std::int32_t parityCode = parity::None;
    std::int32_t stopBitsCode = stopbits::One;
    std::int32_t flowControlCode = flowcontrol::None;
};

// The terminal flags that carry one set of line settings: character size,
// parity, stop bits and flow control. Speed and raw mode are set apart.
struct TerminalLineFlags {
    std::uint32_t controlFlags = 0; // c_cflag bits within kLineControlMask
    std::uint32_t inputFlags = 0;   // c_iflag bits within kLineInputMask
    std::uint32_t baudRate = 0;

    bool operator==(const TerminalLineFlags &) const = default;
};

// The c_cflag and c_iflag bits that the line settings decide.
extern const std::uint32_t kLineControlMask;
extern const std::uint32_t kLineInputMask;

// The flags for the settings, or nothing when no serial line can represent
// them (the port then counts its settings as refused): baud rate 0 or
// negative, data bits outside 5..8, a parity code above 4 or a stop-bit code
// above 2, one and a half stop bits with more than five data bits and two
// stop bits with five (the line would send one and a half). A flow
// control code other than 1 and 2 means no flow control.
std::optional<TerminalLineFlags> terminalLineFlags(const LineSettings &settings);

// The speed constant (B9600 and so on) for a baud rate that has one, and back.
std::optional<std::uint32_t> standardSpeedCode(std::uint32_t baudRate);
std::optional<std::uint32_t> baudRateOfSpeedCode(std::uint32_t speedCode);

// Whether the flags a driver reports after setting `wanted` show that it took
// them: the same character size, parity, stop bits and flow control, and a
// speed within the tolerance of a serial line (a UART divides its clock and
// may land a few per cent off an unusual rate).
bool driverTookLineFlags(const TerminalLineFlags &wanted, const TerminalLineFlags &reported);

} // namespace teb
