#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Numbers and flags that the station keeps as text (files, controls, reader
// answers). Reading is lenient: leading blanks and one sign are allowed, the
// number ends at the first non-digit, and a text without digits reads as 0.
// Values that do not fit wrap around, so any input has a defined result.
namespace teb {

std::int32_t readDecimal(std::string_view text);      // 32-bit, wraps modulo 2^32
std::uint64_t readUnsigned64(std::string_view text);  // wraps modulo 2^64; "-1" gives 2^64-1

// For numbers that bound a loop or a list: the leading number limited to
// [low, high] by its true value, so "4294967296" never wraps into a small one.
std::int32_t readDecimalClamped(std::string_view text, std::int32_t low, std::int32_t high);

std::string formatDecimal(std::int32_t value);        // like "%i"
std::string formatUnsigned64(std::uint64_t value);    // like "%I64u": no leading zeros

// Flags are true only for the exact text "1".
bool readFlag(std::string_view text);
std::string formatFlag(bool value);

} // namespace teb
