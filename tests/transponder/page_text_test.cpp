#include "transponder/byte_text.h"
#include "transponder/page_text.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <tuple>

namespace teb {
namespace {

using namespace std::string_literals;

// HEX page text, ASCII page text of the same bytes.
class PageRoundTrip : public testing::TestWithParam<std::tuple<std::string, std::string>> {};

TEST_P(PageRoundTrip, ConvertsBothWaysAndPassesBothChecks)
{
    const auto& [hex, ascii] = GetParam();
    EXPECT_EQ(hexTextToAsciiText(hex), ascii);
    EXPECT_EQ(asciiTextToHexText(ascii), hex);
    EXPECT_EQ(checkPageText(hex, false), 0);
    EXPECT_EQ(checkPageText(ascii, true), 0);
}

INSTANTIATE_TEST_SUITE_P(Pages, PageRoundTrip, testing::Values(
    std::tuple{"30 31 32 33 34 35 36 37"s, "0 1 2 3 4 5 6 7"s},
    std::tuple{"00 00 00 00 00 00 00 00"s, "NUL NUL NUL NUL NUL NUL NUL NUL"s},
    std::tuple{"41 00 20 42 43 44 45 46"s, "A NUL   B C D E F"s},
    std::tuple{"41 42 43 44 45 46 47 20"s, "A B C D E F G  "s},
    std::tuple{"20 41 42 43 44 45 46 47"s, "  A B C D E F G"s},
    std::tuple{"41 20 20 42 00 20 00 43"s, "A     B NUL   NUL C"s},
    std::tuple{"20 20 20 20 20 20 20 20"s, std::string(15, ' ')},
    std::tuple{"4E 55 4C 58 59 00 4E 4C"s, "N U L X Y NUL N L"s},
    std::tuple{"E9 FF 80 09 0D 0A 01 7F"s, "\xE9 \xFF \x80 \t \r \n \x01 \x7F"s}));

TEST(HexTextToAscii, ReadsTokensByTheirDigits)
{
    EXPECT_EQ(hexTextToAsciiText("   "), "");
    EXPECT_EQ(hexTextToAsciiText("1 12341"), "\x01 A");
    EXPECT_EQ(hexTextToAsciiText("  41   42  "), "A B");
    EXPECT_EQ(hexTextToAsciiText("41 00"), "A NUL");
    EXPECT_EQ(hexTextToAsciiTextPadded("41 00"), "A NUL ");
    EXPECT_EQ(hexTextToAsciiTextPadded("00 41"), "NUL A");
}

TEST(AsciiTextToHex, MarksZerosAndBlanksAndKeepsTheFirstCharacterOfLongerTokens)
{
    EXPECT_EQ(asciiTextToHexText(""), "");
    EXPECT_EQ(asciiTextToHexText("A NUL"), "41 00 ");
    EXPECT_EQ(asciiTextToHexText("ABC D"), "41 44");
    EXPECT_EQ(asciiTextToHexText("NUL"), "4E");
    EXPECT_EQ(asciiTextToHexText("ANUL B"), "41 42");
    EXPECT_EQ(asciiTextToHexText("A\0B \0"s), "41 00 ");
    // The operator's own X and Y tokens are not taken for zeros or blanks.
    EXPECT_EQ(asciiTextToHexText("XXXXXXXXX YYYYYYYYY"), "58 59");
    EXPECT_EQ(asciiTextToHexText(" NULA"), "58");
    EXPECT_EQ(asciiTextToHexText("A B C D E F G H I J"), "41 42 43 44 45 46 47 48");
}

TEST(AsciiTextToHex, ASingleTrailingBlankIsASeparatorNotAByte)
{
    EXPECT_EQ(asciiTextToHexText("A B C D E F G "), "41 42 43 44 45 46 47");
    EXPECT_EQ(checkPageText("A B C D E F G ", true), 1);
    EXPECT_EQ(asciiTextToHexText("A B C D E F G H "), "41 42 43 44 45 46 47 48");
    EXPECT_EQ(checkPageText("A B C D E F G H ", true), 0);
    EXPECT_EQ(asciiTextToHexText("A B C D E F G   "), "41 42 43 44 45 46 47 20");
}

void expectRoundTrip(const std::array<std::uint8_t, 8>& bytes)
{
    std::string hex;
    for (const std::uint8_t byte : bytes)
        hex += (hex.empty() ? "" : " ") + byteToHexDigits(byte);
    for (const std::string& ascii : {hexTextToAsciiText(hex), hexTextToAsciiTextPadded(hex)}) {
        ASSERT_EQ(asciiTextToHexText(ascii), hex) << testing::PrintToString(ascii);
        ASSERT_EQ(checkPageText(ascii, true), 0) << testing::PrintToString(ascii);
    }
}

TEST(PageRoundTripProperty, EveryByteInEveryPositionSurvivesHexToAsciiToHex)
{
    for (const std::uint8_t background : {0x41, 0x00, 0x20, 0x4E}) {
        for (std::size_t position = 0; position < 8; ++position) {
            for (int value = 0; value <= 0xFF; ++value) {
                std::array<std::uint8_t, 8> bytes;
                bytes.fill(background);
                bytes[position] = static_cast<std::uint8_t>(value);
                expectRoundTrip(bytes);
            }
        }
    }
    // Mixtures of zeros, blanks and the letters of "NUL" and of the internal marks.
    const std::array<std::uint8_t, 8> awkward{0x00, 0x20, 0x4E, 0x55, 0x4C, 0x58, 0x59, 0xFF};
    std::mt19937 random(20261207);
    for (int round = 0; round < 20000; ++round) {
        std::array<std::uint8_t, 8> bytes;
        for (auto& byte : bytes)
            byte = awkward[random() % awkward.size()];
        expectRoundTrip(bytes);
    }
}

TEST(PageTextJunk, AnyTextGivesADefinedResultAndAcceptedTextsGiveSixteenDigits)
{
    // Near-miss page texts: about eight tokens, some awkward, joined by blank runs.
    const std::array<std::string, 9> tokens{"NUL", "A", "\xFF", "\0"s, " ", "N", "XXXXXXXXX", "NULA", "AB"};
    const std::array<std::string, 6> separators{" ", " ", " ", " ", "  ", ""};
    std::mt19937 random(7);
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text = separators[random() % separators.size()];
        for (std::size_t n = 6 + random() % 5; n > 0; --n)
            text += tokens[random() % tokens.size()] + separators[random() % separators.size()];
        const std::string hex = asciiTextToHexText(text);
        ASSERT_LE(hex.size(), 23u);
        hexTextToAsciiText(text);
        if (checkPageText(text, true) == 0) {
            ++accepted;
            ASSERT_EQ(hex.size(), 23u) << testing::PrintToString(text);
            ASSERT_EQ(checkPageText(hex, false), 0) << testing::PrintToString(text);
        }
    }
    EXPECT_GT(accepted, 50);
}

TEST(HexDigitsAndText, ConvertCarrierIdTexts)
{
    EXPECT_EQ(hexDigitsToText("41424"), "AB\x04");
    EXPECT_EQ(hexDigitsToText("e9"), "\xE9");
    EXPECT_EQ(hexDigitsToText("41004243"), "A");
    EXPECT_EQ(textToHexDigits("AB\xE9\xFF\0"s), "4142E9FF00");
    std::string everyCharacter;
    for (int value = 1; value <= 0xFF; ++value)
        everyCharacter += static_cast<char>(value);
    EXPECT_EQ(hexDigitsToText(textToHexDigits(everyCharacter)), everyCharacter);
}

} // namespace
} // namespace teb
