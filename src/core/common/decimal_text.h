#pragma once

#include <charconv>
#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// Numbers and flags that the station keeps as text (files, controls, reader
// answers). Reading is lenient: leading blanks and one sign are allowed, the
// number ends at the first non-digit, and a text without digits reads as 0.
// A number beyond what the result can hold reads as the nearest value it can
// hold, so a huge number never turns into a small one.
namespace teb {

std::int32_t readDecimal(std::string_view text);      // 32-bit
// As the C library reads unsigned numbers: a minus sign counts modulo 2^64
// ("-1" gives 2^64-1), a magnitude beyond 64 bits reads as 2^64-1.
std::uint64_t readUnsigned64(std::string_view text);

// For numbers that bound a loop or a list: the leading number limited to
// [low, high] by its true value.
std::int32_t readDecimalClamped(std::string_view text, std::int32_t low, std::int32_t high);

// Strict reading, for names and fields the station wrote itself: the whole
// text is decimal digits and the number fits; nullopt otherwise.
template <std::integral Integer>
std::optional<Integer> readDigitsOnly(std::string_view text)
{
    Integer value{};
    const char *end = text.data() + text.size();
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc{} || result.ptr != end)
        return std::nullopt;
    return value;
}

std::string formatDecimal(std::int32_t value);        // like "%i"
std::string formatUnsigned64(std::uint64_t value);    // like "%I64u": no leading zeros

// Flags are true only for the exact text "1".
bool readFlag(std::string_view text);
std::string formatFlag(bool value);

} // namespace teb
