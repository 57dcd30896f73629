#pragma once

#include <string>
#include <string_view>

namespace teb {

// Bytes outside the printable range as \xNN, so that test names and failure
// messages stay readable.
inline std::string printable(std::string_view text)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string shown;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 0x20 && code < 0x7F)
            shown += c;
        else
            shown += {'\\', 'x', digits[code >> 4], digits[code & 0x0F]};
    }
    return shown;
}

} // namespace teb
