#include "common/decimal_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace teb {
namespace {

bool isLeadingSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The leading number's sign and magnitude; a magnitude beyond 64 bits is
// marked, so that every reading can take it as the largest it holds.
struct LeadingNumber {
    std::uint64_t magnitude = 0;
    bool negative = false;
    bool beyond64Bits = false;
};

LeadingNumber readLeadingNumber(std::string_view text)
{
    const auto first = std::ranges::find_if_not(text, isLeadingSpace);
    text.remove_prefix(static_cast<std::size_t>(first - text.begin()));
    LeadingNumber number;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        number.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // No digits (or a second sign) leave the magnitude at 0.
    const auto result = std::from_chars(text.data(), text.data() + text.size(), number.magnitude);
    number.beyond64Bits = result.ec == std::errc::result_out_of_range;
    return number;
}

template <typename Integer>
std::string toText(Integer value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace

std::uint64_t readUnsigned64(std::string_view text)
{
    const LeadingNumber number = readLeadingNumber(text);
    if (number.beyond64Bits)
        return UINT64_MAX;
    return number.negative ? 0u - number.magnitude : number.magnitude;
}

std::int32_t readDecimal(std::string_view text) { return readDecimalClamped(text, INT32_MIN, INT32_MAX); }

std::int32_t readDecimalClamped(std::string_view text, std::int32_t low, std::int32_t high)
{
    const LeadingNumber number = readLeadingNumber(text);
    // Every magnitude beyond 2^31 lies outside any 32-bit range alike.
    constexpr std::uint64_t kOutside = std::uint64_t{1} << 32;
    const auto magnitude = static_cast<std::int64_t>(number.beyond64Bits ? kOutside : std::min(number.magnitude, kOutside));
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(number.negative ? -magnitude : magnitude, low, high));
}

std::string formatDecimal(std::int32_t value) { return toText(value); }

std::string formatUnsigned64(std::uint64_t value) { return toText(value); }

bool readFlag(std::string_view text) { return text == "1"; }

std::string formatFlag(bool value) { return value ? "1" : "0"; }

} // namespace teb
