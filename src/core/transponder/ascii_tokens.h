#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// How an ASCII page text splits into the bytes it stands for; shared by the
// conversion to HEX and by the check, so that both always count alike.
namespace teb {

struct AsciiToken {
    std::uint8_t byte = 0;
    bool singleByte = true; // one character, "NUL" or a blank character
};

// Zero bytes are the "NUL" tokens that stand between blanks or the text's ends;
// a pair of blanks "  " stands for one blank character, and so does a pair that
// a longer run of blanks leaves at the end of the text. A single blank at the
// end is a separator, not a byte. A longer token stands for its first character.
std::vector<AsciiToken> readAsciiTokens(std::string_view asciiText);

} // namespace teb
