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

// The magnitude of the leading number, modulo 2^64, and whether it was negative.
struct LeadingNumber {
    std::uint64_t magnitude = 0;
    bool negative = false;
    bool beyond64Bits = false;
};

LeadingNumber readLeadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isLeadingSpace(text[i]))
        ++i;
    LeadingNumber number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        number.negative = text[i] == '-';
        ++i;
    }
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        if (number.magnitude > (UINT64_MAX - digit) / 10u)
            number.beyond64Bits = true;
        number.magnitude = number.magnitude * 10u + digit;
    }
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
    return number.negative ? 0u - number.magnitude : number.magnitude;
}

std::int32_t readDecimal(std::string_view text)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(readUnsigned64(text)));
}

std::int32_t readDecimalClamped(std::string_view text, std::int32_t low, std::int32_t high)
{
    const LeadingNumber number = readLeadingNumber(text);
    constexpr auto limit = static_cast<std::uint64_t>(INT64_MAX);
    const std::int64_t magnitude =
        number.beyond64Bits || number.magnitude > limit ? INT64_MAX : static_cast<std::int64_t>(number.magnitude);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(number.negative ? -magnitude : magnitude, low, high));
}

std::string formatDecimal(std::int32_t value) { return toText(value); }

std::string formatUnsigned64(std::uint64_t value) { return toText(value); }

bool readFlag(std::string_view text) { return text == "1"; }

std::string formatFlag(bool value) { return value ? "1" : "0"; }

} // namespace teb
