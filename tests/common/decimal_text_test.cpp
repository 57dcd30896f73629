#include "common/decimal_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace teb {
namespace {

TEST(DecimalText, ReadsTheLeadingNumberLeniently)
{
    EXPECT_EQ(readDecimal("115200"), 115200);
    EXPECT_EQ(readDecimal("  -42abc"), -42);
    EXPECT_EQ(readDecimal("\t+7 8"), 7);
    EXPECT_EQ(readDecimal(""), 0);
    EXPECT_EQ(readDecimal("abc"), 0);
    EXPECT_EQ(readDecimal("-"), 0);
    EXPECT_EQ(readDecimal("1.5"), 1);
    EXPECT_EQ(readDecimal("- 5"), 0);
}

TEST(DecimalText, OutOfRangeValuesWrapInsteadOfOverflowing)
{
    EXPECT_EQ(readDecimal("4294967297"), 1);
    EXPECT_EQ(readDecimal("2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(readUnsigned64("18446744073709551615"), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(readUnsigned64("18446744073709551616"), 0u);
    EXPECT_EQ(readUnsigned64("-1"), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(readUnsigned64(std::string(5000, '9')), readUnsigned64(std::string(5000, '9')));
}

TEST(DecimalText, PrintsWithoutLeadingZeros)
{
    EXPECT_EQ(formatDecimal(-5), "-5");
    EXPECT_EQ(formatDecimal(std::numeric_limits<std::int32_t>::min()), "-2147483648");
    EXPECT_EQ(formatUnsigned64(readUnsigned64("00000123")), "123");
    EXPECT_EQ(formatUnsigned64(std::numeric_limits<std::uint64_t>::max()), "18446744073709551615");
}

TEST(DecimalText, FlagsAreTrueOnlyForExactlyOne)
{
    EXPECT_TRUE(readFlag("1"));
    for (const char *text : {"", "0", "true", "yes", " 1", "1 ", "01", "11"})
        EXPECT_FALSE(readFlag(text)) << text;
    EXPECT_EQ(formatFlag(true), "1");
    EXPECT_EQ(formatFlag(false), "0");
}

} // namespace
} // namespace teb
