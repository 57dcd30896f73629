#pragma once

#include <cstdint>

namespace teb {

// A colour as the station's windows use it: 0x00BBGGRR, red in the low byte.
struct Rgb {
    std::uint32_t value = 0;

    static constexpr Rgb fromComponents(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
    {
        return Rgb{static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8)
                   | (static_cast<std::uint32_t>(blue) << 16)};
    }
    constexpr std::uint8_t red() const { return static_cast<std::uint8_t>(value & 0xFFu); }
    constexpr std::uint8_t green() const { return static_cast<std::uint8_t>((value >> 8) & 0xFFu); }
    constexpr std::uint8_t blue() const { return static_cast<std::uint8_t>((value >> 16) & 0xFFu); }

    constexpr bool operator==(const Rgb &) const = default;
};

namespace colour {
inline constexpr Rgb White{0xFFFFFFu};
inline constexpr Rgb Black{0x000000u};
inline constexpr Rgb Green{0x00FF00u};  // success
inline constexpr Rgb Red{0x0000FFu};    // failure
inline constexpr Rgb GreyText = Rgb::fromComponents(109, 109, 109);
inline constexpr Rgb GreyBackground = Rgb::fromComponents(240, 240, 240);
} // namespace colour

} // namespace teb
