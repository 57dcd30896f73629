#pragma once

#include <cstdint>
#include <string>

namespace teb {

// Parity, stop-bit and flow-control codes of the reader link, as the station
// keeps them in its fields and hands them to the port.
namespace parity {
inline constexpr std::int32_t None = 0;
inline constexpr std::int32_t Odd = 1;
inline constexpr std::int32_t Even = 2;
inline constexpr std::int32_t Mark = 3;
inline constexpr std::int32_t Space = 4;
} // namespace parity

namespace stopbits {
inline constexpr std::int32_t One = 0;
inline constexpr std::int32_t OneAndHalf = 1;
inline constexpr std::int32_t Two = 2;
} // namespace stopbits

namespace flowcontrol {
inline constexpr std::int32_t None = 0;
inline constexpr std::int32_t XonXoff = 1;
inline constexpr std::int32_t Hardware = 2;
} // namespace flowcontrol

// The six interface settings of the main window; defaults as the window is built.
struct InterfaceSettings {
    std::string portName;
    std::int32_t baudRate = 0;
    std::int32_t dataBits = 0;
    std::int32_t parityCode = parity::None;
    std::int32_t stopBitsCode = stopbits::One;
    std::int32_t flowControlCode = flowcontrol::None;

    bool operator==(const InterfaceSettings &) const = default;
};

} // namespace teb
