#include "printable_text.h"
#include "transponder/page_text.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace teb {
namespace {

using namespace std::string_literals;

struct PagePair {
    std::string hex;
    std::string ascii;
};

void PrintTo(const PagePair& pair, std::ostream* out)
{
    *out << "HEX \"" << pair.hex << "\" / ASCII \"" << printable(pair.ascii) << "\"";
}

class PageRoundTrip : public testing::TestWithParam<PagePair> {};

TEST_P(PageRoundTrip, ConvertsBothWaysAndPassesBothChecks)
{
    const auto& [hex, ascii] = GetParam();
    EXPECT_EQ(hexTextToAsciiText(hex), ascii);
    EXPECT_EQ(asciiTextToHexText(ascii), hex);
    EXPECT_EQ(checkPageText(hex, false), 0);
    EXPECT_EQ(checkPageText(ascii, true), 0);
}

INSTANTIATE_TEST_SUITE_P(Pages, PageRoundTrip, testing::Values(
    PagePair{"30 31 32 33 34 35 36 37", "0 1 2 3 4 5 6 7"},
    PagePair{"00 00 00 00 00 00 00 00", "NUL NUL NUL NUL NUL NUL NUL NUL"},
    PagePair{"41 00 20 42 43 44 45 46", "A NUL   B C D E F"},
    PagePair{"41 42 43 44 45 46 47 20", "A B C D E F G  "},
    PagePair{"20 41 42 43 44 45 46 47", "  A B C D E F G"},
    PagePair{"41 20 20 42 00 20 00 43", "A     B NUL   NUL C"},
    PagePair{"20 20 20 20 20 20 20 20", std::string(15, ' ')},
    PagePair{"4E 55 4C 58 59 00 4E 4C", "N U L X Y NUL N L"},
    PagePair{"E9 FF 80 09 0D 0A 01 7F", "\xE9 \xFF \x80 \t \r \n \x01 \x7F"}));

TEST(HexTextToAscii, ReadsTokensByTheirDigits)
{
    EXPECT_EQ(hexTextToAsciiText(""), "");
    EXPECT_EQ(hexTextToAsciiText("   "), "");
    EXPECT_EQ(hexTextToAsciiText("6a 6B"), "j k");
    EXPECT_EQ(hexTextToAsciiText("1 12341"), "\x01 A");
    EXPECT_EQ(hexTextToAsciiText("  41   42  "), "A B");
    EXPECT_EQ(hexTextToAsciiText("41 00"), "A NUL");
    EXPECT_EQ(hexTextToAsciiTextPadded("41 00"), "A NUL ");
    EXPECT_EQ(hexTextToAsciiTextPadded("00 41"), "NUL A");
    EXPECT_EQ(hexTextToAsciiText("41 42 43 44 45 46 47 48 49"), "A B C D E F G H I");
}

TEST(AsciiTextToHex, MarksZerosAndBlanksAndKeepsTheFirstCharacterOfLongerTokens)
{
    EXPECT_EQ(asciiTextToHexText(""), "");
    EXPECT_EQ(asciiTextToHexText("A NUL"), "41 00 ");
    EXPECT_EQ(asciiTextToHexText("ABC D"), "41 44");
    EXPECT_EQ(asciiTextToHexText("NUL"), "4E");
    EXPECT_EQ(asciiTextToHexText("ANUL B"), "41 42");
    EXPECT_EQ(asciiTextToHexText("A\0B"s), "41");
    EXPECT_EQ(asciiTextToHexText("\0 A"s), "00 41");
    // The operator's own X and Y tokens are not taken for the internal marks.
    EXPECT_EQ(asciiTextToHexText("XXXXXXXXX YYYYYYYYY"), "58 59");
    EXPECT_EQ(asciiTextToHexText(" NULA"), "58");
    EXPECT_EQ(asciiTextToHexText("A B C D E F G H I J"), "41 42 43 44 45 46 47 48");
    EXPECT_EQ(asciiTextToHexText(" NUL NUL NUL NUL NUL NUL NUL NUL"), "00 00 00 00 00 00 00 00");
    EXPECT_EQ(asciiTextToHexText(hexTextToAsciiTextPadded("41 42 43 44 45 46 47 00")), "41 42 43 44 45 46 47 00");
}

TEST(AsciiTextToHex, ASingleTrailingBlankIsASeparatorNotAByte)
{
    EXPECT_EQ(asciiTextToHexText("A B C D E F G "), "41 42 43 44 45 46 47");
    EXPECT_EQ(checkPageText("A B C D E F G ", true), 1);
    EXPECT_EQ(asciiTextToHexText("A B C D E F G H "), "41 42 43 44 45 46 47 48");
    EXPECT_EQ(checkPageText("A B C D E F G H ", true), 0);
    EXPECT_EQ(asciiTextToHexText("A B C D E F G   "), "41 42 43 44 45 46 47 20");
}

std::string hexTextOf(const std::array<std::uint8_t, 8>& bytes)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t byte : bytes) {
        if (!text.empty())
            text += ' ';
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    return text;
}

void expectRoundTrip(const std::array<std::uint8_t, 8>& bytes)
{
    const std::string hex = hexTextOf(bytes);
    const std::string ascii = hexTextToAsciiText(hex);
    const std::string padded = hexTextToAsciiTextPadded(hex);
    ASSERT_EQ(asciiTextToHexText(ascii), hex) << "ASCII \"" << printable(ascii) << "\"";
    ASSERT_EQ(asciiTextToHexText(padded), hex) << "ASCII \"" << printable(padded) << "\"";
    ASSERT_EQ(checkPageText(ascii, true), 0) << "ASCII \"" << printable(ascii) << "\"";
    ASSERT_EQ(checkPageText(padded, true), 0) << "ASCII \"" << printable(padded) << "\"";
}

TEST(PageRoundTripProperty, EveryByteInEveryPositionSurvivesHexToAsciiToHex)
{
    const std::array<std::uint8_t, 4> backgrounds{0x41, 0x00, 0x20, 0x4E};
    for (const std::uint8_t background : backgrounds) {
        for (std::size_t position = 0; position < 8; ++position) {
            for (int value = 0; value <= 0xFF; ++value) {
                std::array<std::uint8_t, 8> bytes;
                bytes.fill(background);
                bytes[position] = static_cast<std::uint8_t>(value);
                expectRoundTrip(bytes);
            }
        }
    }
}

TEST(PageRoundTripProperty, MixedZerosBlanksAndLettersSurviveHexToAsciiToHex)
{
    const std::array<std::uint8_t, 9> awkward{0x00, 0x20, 0x4E, 0x55, 0x4C, 0x58, 0x59, 0xFF, 0x0A};
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::size_t> pick(0, awkward.size() - 1);
    for (int round = 0; round < 20000; ++round) {
        std::array<std::uint8_t, 8> bytes;
        for (auto& byte : bytes)
            byte = awkward[pick(random)];
        expectRoundTrip(bytes);
    }
}

TEST(PageTextJunk, AnyTextGivesADefinedResultAndAcceptedTextsGiveSixteenDigits)
{
    // Near-miss page texts: about eight tokens, some of them awkward, joined by
    // blank runs of varying length.
    const std::array<std::string, 9> tokens{"NUL", "A", "\xFF", "\0"s, " ", "N", "XXXXXXXXX", "NULA", "AB"};
    const std::array<std::string, 6> separators{" ", " ", " ", " ", "  ", ""};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pickToken(0, tokens.size() - 1);
    std::uniform_int_distribution<std::size_t> pickSeparator(0, separators.size() - 1);
    std::uniform_int_distribution<std::size_t> length(6, 10);
    int accepted = 0;
    for (int round = 0; round < 50000; ++round) {
        std::string text = separators[pickSeparator(random)];
        for (std::size_t n = length(random); n > 0; --n)
            text += tokens[pickToken(random)] + separators[pickSeparator(random)];
        const std::string hex = asciiTextToHexText(text);
        ASSERT_LE(hex.size(), 23u);
        hexTextToAsciiText(text);
        if (checkPageText(text, true) == 0) {
            ++accepted;
            ASSERT_EQ(hex.size(), 23u) << "ASCII \"" << printable(text) << "\"";
            ASSERT_EQ(checkPageText(hex, false), 0) << "ASCII \"" << printable(text) << "\"";
        }
    }
    EXPECT_GT(accepted, 0);
}

TEST(HexDigitsAndText, ConvertCarrierIdTexts)
{
    EXPECT_EQ(hexDigitsToText("414243"), "ABC");
    EXPECT_EQ(hexDigitsToText("41424"), "AB\x04");
    EXPECT_EQ(hexDigitsToText("e9"), "\xE9");
    EXPECT_EQ(hexDigitsToText("41004243"), "A");
    EXPECT_EQ(hexDigitsToText(""), "");
    EXPECT_EQ(textToHexDigits("AB\xE9\xFF"), "4142E9FF");
    EXPECT_EQ(textToHexDigits("\0"s), "00");
    EXPECT_EQ(textToHexDigits(""), "");

    std::string everyCharacter;
    for (int value = 1; value <= 0xFF; ++value)
        everyCharacter += static_cast<char>(value);
    EXPECT_EQ(textToHexDigits(everyCharacter).size(), 2 * everyCharacter.size());
    EXPECT_EQ(hexDigitsToText(textToHexDigits(everyCharacter)), everyCharacter);
}

} // namespace
} // namespace teb
