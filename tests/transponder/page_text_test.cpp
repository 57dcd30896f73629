#include "transponder/byte_text.h"
#include "transponder/page_bytes.h"
#include "transponder/page_text.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <tuple>
#include <utility>

namespace teb {
namespace {

using namespace std::string_literals;
using Pair = std::pair<std::string, std::string>;
constexpr bool inHex = false;
constexpr bool inAscii = true;

TEST(ByteText, EveryByteSurvivesItsDigitsAndItsDisplayText)
{
    for (int value = 0; value <= 0xFF; ++value) {
        const std::string digits = byteToHexDigits(static_cast<std::uint8_t>(value));
        EXPECT_EQ(hexToByte(digits), value);
        EXPECT_EQ(hexToDisplay(digits), value == 0 ? "NUL"s : std::string(1, static_cast<char>(value)));
        EXPECT_EQ(displayToHex(hexStringToDisplay(digits)), digits);
    }
    EXPECT_EQ(hexStringToDisplay("141004243"), "\x01" "ANULBC");
    EXPECT_EQ(displayToHex("NULL"), "4E554C4C");
}

TEST(PageText, ConvertsBothWaysAndPassesTheCheck)
{
    const Pair pages[] = {  // HEX text, ASCII text of the same bytes
        {"41 20 20 42 00 20 00 43", "A     B NUL   NUL C"}, {"20 41 42 43 44 45 46 47", "  A B C D E F G"},
        {"4E 55 4C 58 59 00 4E 4C", "N U L X Y NUL N L"}};
    for (const auto &[hex, ascii] : pages) {
        SCOPED_TRACE(hex);
        EXPECT_EQ(hexTextToAsciiText(hex), ascii);
        EXPECT_EQ(asciiTextToHexText(ascii), hex);
        EXPECT_EQ(checkPageText(ascii, inAscii), 0);
    }
}

// Both page texts of the bytes and the bytes read back from each.
void expectRoundTrip(const PageBytes &bytes)
{
    std::string hex;
    for (const std::uint8_t byte : bytes)
        hex += (hex.empty() ? "" : " ") + byteToHexDigits(byte);
    ASSERT_EQ(hexPageText(bytes), hex);
    ASSERT_EQ(hexPageBytes(hex), bytes) << hex;
    ASSERT_EQ(asciiPageText(bytes), hexTextToAsciiText(hex));
    ASSERT_EQ(asciiPageBytes(asciiPageText(bytes)), bytes) << hex;
    for (const std::string &ascii : {hexTextToAsciiText(hex), hexTextToAsciiTextPadded(hex)}) {
        ASSERT_EQ(asciiTextToHexText(ascii), hex) << testing::PrintToString(ascii);
        ASSERT_EQ(checkPageText(ascii, inAscii), 0) << testing::PrintToString(ascii);
    }
}

TEST(PageText, EveryByteInEveryPositionSurvivesHexToAsciiToHex)
{
    PageBytes bytes;
    const std::array<std::uint8_t, 4> backgrounds{0x41, 0x00, 0x20, 0x4E};
    for (int n = 0; n < 4 * 8 * 256; ++n) {  // every value in every position, among each background
        bytes.fill(backgrounds[n / 2048]);
        bytes[n / 256 % 8] = static_cast<std::uint8_t>(n % 256);
        expectRoundTrip(bytes);
    }
    // Mixtures of zeros, blanks and the letters of "NUL" and of the internal marks.
    const std::array<std::uint8_t, 8> awkward{0x00, 0x20, 0x4E, 0x55, 0x4C, 0x58, 0x59, 0xFF};
    std::mt19937 random(20261207);
    for (int round = 0; round < 20000; ++round) {
        for (auto &byte : bytes)
            byte = awkward[random() % awkward.size()];
        expectRoundTrip(bytes);
    }
}

TEST(PageText, CarrierIdTextsEndAtAZeroByte)
{
    EXPECT_EQ(hexDigitsToText("41e900424"), "A\xE9");
    EXPECT_EQ(hexDigitsToText("41424"), "AB\x04");
    EXPECT_EQ(textToHexDigits("\xE9\0"s), "E900");
}

TEST(CheckPageText, CountsFaults)
{
    const std::tuple<const char *, bool, int> cases[] = {  // page text, format, faults
        {"3a 3b 3c 3d 3e 3f 0a ff", inHex, 0}, {"3031323334353637", inHex, 0}, {"30 31 32 33 34 35 36 3", inHex, 1},
        {"30 31 32 33 34 35 36 3G", inHex, 1}, {"GG GG", inHex, 5}, {"00 00 00 00 00 00 00 00 00", inHex, 1},
        {" NUL NUL NUL NUL NUL NUL NUL NUL", inAscii, 0}, {"A   B C D E F G", inAscii, 0},
        {"A B C D E F G H ", inAscii, 0}, {"A B C D E F G ", inAscii, 1}, {"ABC", inAscii, 1},
        {"A B C D E F G H I", inAscii, 1},
        {"AB C D E F G H I", inAscii, 1}};  // eight tokens, but one stands for more than one character
    for (const auto &[text, asciiFormat, faults] : cases)
        EXPECT_EQ(checkPageText(text, asciiFormat), faults) << '"' << text << '"';
}

// Common entries are laid out through the page boxes of the main window; one
// too long for its page stays as typed, so that its fault shows.
TEST(NormalisePageEntry, LeavesAnEntryTooLongForItsPageAsTyped)
{
    EXPECT_EQ(normalisePageEntry("ABCDEFGHI", inAscii, "Right"), "ABCDEFGHI");
}

} // namespace
} // namespace teb
