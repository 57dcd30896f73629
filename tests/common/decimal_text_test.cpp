#include "common/decimal_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <utility>

namespace teb {
namespace {

constexpr auto kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr auto kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr auto kUint64Max = std::numeric_limits<std::uint64_t>::max();

// A number too large never wraps into a small one: it reads as the largest.
TEST(DecimalText, ReadsLenientlyHoldsWhatDoesNotFitAtTheLimitAndPrintsTheExtremes)
{
    const std::pair<const char *, std::int32_t> cases[] = {
        {"115200", 115200}, {"  -42abc", -42}, {"\t+7 8", 7}, {"", 0}, {"- 5", 0}, {"+-5", 0},
        {"4294967297", kInt32Max},    {"2147483648", kInt32Max},  {"-2147483649", kInt32Min},
        {"-4294967295", kInt32Min},   {"99999999999999999999999", kInt32Max}};
    for (const auto &[text, value] : cases)
        EXPECT_EQ(readDecimal(text), value) << text;
    const std::pair<const char *, std::uint64_t> unsignedCases[] = {
        {"18446744073709551615", kUint64Max}, {"18446744073709551616", kUint64Max}, {"-1", kUint64Max},
        {"-18446744073709551616", kUint64Max}, {" 00042x", 42}, {"x1", 0}};
    for (const auto &[text, value] : unsignedCases)
        EXPECT_EQ(readUnsigned64(text), value) << text;
    EXPECT_EQ(formatDecimal(kInt32Min), "-2147483648");
    EXPECT_EQ(formatUnsigned64(kUint64Max), "18446744073709551615");
}

TEST(DecimalText, DigitsOnlyReadingRefusesAnythingElseAndWhatDoesNotFit)
{
    const std::pair<const char *, std::optional<int>> cases[] = {
        {"007", 7}, {"2147483647", kInt32Max}, {"2147483648", std::nullopt}, {"", std::nullopt}, {"+1", std::nullopt},
        {"-1", std::nullopt}, {"1 ", std::nullopt}, {"12a", std::nullopt}, {"99999999999999999999999", std::nullopt}};
    for (const auto &[text, value] : cases)
        EXPECT_EQ(readDigitsOnly<int>(text), value) << text;
    EXPECT_EQ(readDigitsOnly<std::uint64_t>("18446744073709551615"), kUint64Max);
}

} // namespace
} // namespace teb
