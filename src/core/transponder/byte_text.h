#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Single bytes as text: two hexadecimal digits, or the byte's display text (its
// character, "NUL" for 0x00). All texts are 8-bit, one byte per character.
namespace teb {

bool isHexDigit(char character); // "0".."9", "A".."F", "a".."f"

// The byte of a digit pair. A digit above "9" counts as its code minus 55, any
// other as its code minus 48, so "a".."f" read like "A".."F" and any other
// character still gives a defined byte.
std::uint8_t byteFromHexDigits(char high, char low);

// The byte of the first two characters; a single character gets a "0" in front.
std::uint8_t hexToByte(std::string_view hexText);

std::string byteToDisplay(std::uint8_t byte);   // its character, or "NUL" for 0x00
std::string byteToHexDigits(std::uint8_t byte); // two upper-case digits

// One display text per digit pair, concatenated; odd lengths get a "0" in front.
std::string hexStringToDisplay(std::string_view hexText);

// "NUL" gives "00"; otherwise two upper-case digits per character, concatenated.
std::string displayToHex(std::string_view displayText);

std::string hexToDisplay(std::string_view hexByte);          // one character, or "NUL" for 0x00
// One character per digit pair; a zero byte ends the text.
std::string hexDigitsToText(std::string_view hexDigits);
std::string textToHexDigits(std::string_view text);          // two upper-case digits per character

// Two upper-case digits per byte, joined without blanks.
std::string hexDigitsOf(std::span<const std::uint8_t> bytes);

// "30 31 32 ..": a run of digits in pairs separated by single blanks.
std::string groupedInPairs(std::string_view digits);

} // namespace teb
