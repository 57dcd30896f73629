#include "transponder/byte_text.h"
#include "transponder/page_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <tuple>

namespace teb {
namespace {

using namespace std::string_literals;

class HexToByte : public testing::TestWithParam<std::tuple<std::string, int>> {};

TEST_P(HexToByte, ReadsTheFirstTwoCharactersByTheDigitRule)
{
    const auto& [hex, byte] = GetParam();
    EXPECT_EQ(hexToByte(hex), byte);
    EXPECT_EQ(hexToDisplay(hex), byte == 0 ? "NUL"s : std::string(1, static_cast<char>(byte)));
}

INSTANTIATE_TEST_SUITE_P(Texts, HexToByte, testing::Values(
    std::tuple{"41"s, 0x41}, std::tuple{"a5"s, 0xA5}, std::tuple{"fF"s, 0xFF}, std::tuple{"7"s, 0x07},
    std::tuple{""s, 0x00}, std::tuple{"4142"s, 0x41}, std::tuple{"123"s, 0x12},
    // Characters outside the digits still give a defined byte.
    std::tuple{"G0"s, 0x00}, std::tuple{"  "s, 0x00}, std::tuple{"0/"s, 0x0F}, std::tuple{"\xFF" "0"s, 0x80},
    std::tuple{"\0\0"s, 0x00}, std::tuple{"\x80\xFF"s, 0x98}));

TEST(ByteText, EveryByteSurvivesItsDigitsAndItsDisplayText)
{
    for (int value = 0; value <= 0xFF; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        const std::string digits = byteToHexDigits(byte);
        std::string lower = digits;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(hexToByte(lower), byte);
        EXPECT_EQ(hexStringToDisplay(digits), byteToDisplay(byte));
        EXPECT_EQ(displayToHex(hexStringToDisplay(lower)), digits);
    }
}

TEST(ByteText, SeveralBytesConvertPairByPair)
{
    EXPECT_EQ(hexStringToDisplay("41004243"), "ANULBC");
    EXPECT_EQ(hexStringToDisplay("14142"), "\x01" "AB");
    EXPECT_EQ(hexStringToDisplay(""), "");
    EXPECT_EQ(displayToHex("NUL"), "00");
    EXPECT_EQ(displayToHex("NULL"), "4E554C4C");
    EXPECT_EQ(displayToHex("A\xE9\0"s), "41E900");
    EXPECT_EQ(displayToHex(""), "");
}

} // namespace
} // namespace teb
