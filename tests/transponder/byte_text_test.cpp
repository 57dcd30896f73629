#include "printable_text.h"
#include "transponder/byte_text.h"
#include "transponder/page_text.h"

#include <gtest/gtest.h>

#include <cctype>

namespace teb {
namespace {

using namespace std::string_literals;

struct HexByteCase {
    std::string hex;
    std::uint8_t byte;
};

void PrintTo(const HexByteCase& c, std::ostream* out)
{
    *out << "\"" << printable(c.hex) << "\"";
}

class HexToByte : public testing::TestWithParam<HexByteCase> {};

TEST_P(HexToByte, ReadsTheFirstTwoCharactersByTheDigitRule)
{
    const auto& [hex, byte] = GetParam();
    EXPECT_EQ(hexToByte(hex), byte);
    EXPECT_EQ(hexToDisplay(hex), byte == 0 ? "NUL"s : std::string(1, static_cast<char>(byte)));
}

INSTANTIATE_TEST_SUITE_P(Texts, HexToByte, testing::Values(
    HexByteCase{"41", 0x41}, HexByteCase{"a5", 0xA5}, HexByteCase{"A5", 0xA5}, HexByteCase{"fF", 0xFF},
    HexByteCase{"7", 0x07}, HexByteCase{"", 0x00}, HexByteCase{"00", 0x00}, HexByteCase{"4142", 0x41},
    HexByteCase{"123", 0x12},
    // Characters outside the digits still give a defined byte.
    HexByteCase{"G0", 0x00}, HexByteCase{"  ", 0x00}, HexByteCase{"0/", 0x0F}, HexByteCase{"\xFF" "0", 0x80},
    HexByteCase{"\0\0"s, 0x00}, HexByteCase{"\x80\xFF", 0x98}));

TEST(ByteText, EveryByteSurvivesItsDigitsAndItsDisplayText)
{
    for (int value = 0; value <= 0xFF; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        const std::string digits = byteToHexDigits(byte);
        std::string lower = digits;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(hexToByte(digits), byte);
        EXPECT_EQ(hexToByte(lower), byte);
        EXPECT_EQ(hexStringToDisplay(digits), byteToDisplay(byte));
        EXPECT_EQ(displayToHex(hexStringToDisplay(lower)), digits);
    }
}

TEST(ByteText, SeveralBytesConvertPairByPair)
{
    EXPECT_EQ(hexStringToDisplay("414243"), "ABC");
    EXPECT_EQ(hexStringToDisplay("41004243"), "ANULBC");
    EXPECT_EQ(hexStringToDisplay("14142"), "\x01" "AB");
    EXPECT_EQ(hexStringToDisplay(""), "");
    EXPECT_EQ(displayToHex("NUL"), "00");
    EXPECT_EQ(displayToHex("NULL"), "4E554C4C");
    EXPECT_EQ(displayToHex("A\xE9"), "41E9");
    EXPECT_EQ(displayToHex("\0"s), "00");
    EXPECT_EQ(displayToHex(""), "");
}

TEST(ByteText, AnyPairOfCharactersGivesOneDisplayText)
{
    for (int high = 0; high <= 0xFF; ++high) {
        for (int low = 0; low <= 0xFF; ++low) {
            const std::string pair{static_cast<char>(high), static_cast<char>(low)};
            const std::string display = hexToDisplay(pair);
            ASSERT_TRUE(display == "NUL" || (display.size() == 1 && display[0] != '\0')) << high << " " << low;
        }
    }
}

} // namespace
} // namespace teb
