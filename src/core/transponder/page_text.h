#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Page texts: a transponder page (8 bytes) held as text, either HEX (eight
// two-digit groups) or ASCII (eight tokens, "NUL" for 0x00). All texts are
// 8-bit, one byte per character.
namespace teb {

std::string hexTextToAsciiText(std::string_view hexText);
std::string hexTextToAsciiTextPadded(std::string_view hexText);
std::string asciiTextToHexText(std::string_view asciiText);

std::string hexToDisplay(std::string_view hexByte);          // one character, or "NUL" for 0x00
std::string hexDigitsToText(std::string_view hexDigits);     // one character per digit pair
std::string textToHexDigits(std::string_view text);          // two upper-case digits per character

// Number of faults of a page text in the given format; 0 when valid.
int checkPageText(std::string_view pageText, bool asciiFormat);

// The text that Enter in a page box makes of what the operator typed, for the
// current format and the parameter set's alignment ("Left", "Right", other).
std::string normalisePageEntry(std::string_view typed, bool asciiFormat, std::string_view alignment);

} // namespace teb
