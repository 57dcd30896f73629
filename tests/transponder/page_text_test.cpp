#include "transponder/byte_text.h"
#include "transponder/page_bytes.h"
#include "transponder/page_image.h"
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
constexpr bool kInHex = false;
constexpr bool kInAscii = true;

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
        EXPECT_EQ(checkPageText(ascii, kInAscii), 0);
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
        ASSERT_EQ(checkPageText(ascii, kInAscii), 0) << testing::PrintToString(ascii);
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
        {"3a 3b 3c 3d 3e 3f 0a ff", kInHex, 0}, {"3031323334353637", kInHex, 0}, {"30 31 32 33 34 35 36 3", kInHex, 1},
        {"30 31 32 33 34 35 36 3G", kInHex, 1}, {"GG GG", kInHex, 5}, {"00 00 00 00 00 00 00 00 00", kInHex, 1},
        {" NUL NUL NUL NUL NUL NUL NUL NUL", kInAscii, 0}, {"A   B C D E F G", kInAscii, 0},
        {"A B C D E F G H ", kInAscii, 0}, {"A B C D E F G ", kInAscii, 1}, {"ABC", kInAscii, 1},
        {"A B C D E F G H I", kInAscii, 1},
        {"AB C D E F G H I", kInAscii, 1}};  // eight tokens, but one stands for more than one character
    for (const auto &[text, asciiFormat, faults] : cases)
        EXPECT_EQ(checkPageText(text, asciiFormat), faults) << '"' << text << '"';
}

// The check, the conversion to ASCII and back, the normalisation on Enter and
// the bytes a write sends all read a HEX text as the same eight bytes,
// whatever the blank layout, and refuse one that holds no eight bytes. An
// entry too long for its page stays as typed, so that its fault shows.
TEST(PageBytes, EveryPathReadsAHexTextAsTheSameBytes)
{
    const PageBytes bytes{0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x00};
    for (const char *text : {"3031 3233 3435 3600", "30313233 34353600", "303 132 333 435 360 0", " 30 31 32 33 34 35 36 00 "}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(checkPageText(text, false), 0);
        EXPECT_EQ(hexTextToAsciiText(text), "0 1 2 3 4 5 6 NUL");
        EXPECT_EQ(hexPageBytes(asciiTextToHexText(hexTextToAsciiText(text))), bytes);
        EXPECT_EQ(normalisePageEntry(text, false, "None"), hexPageText(bytes));
        EXPECT_EQ(pageBytes(text, false), bytes);
    }
    EXPECT_EQ(pageBytes("0 1 2 3 4 5 6 NUL", true), bytes);
    EXPECT_EQ(asciiPageText({0x41, 0x00, 0x20, 0x42, 0x43, 0x44, 0x45, 0x46}), "A NUL   B C D E F");
    EXPECT_EQ(hexPageBytes("ab cd ef 01 23 45 67 89"), (PageBytes{0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67, 0x89}));
    for (const char *refused : {"3031 3233 3435 363", "3031 3233 3435 36370", "30 31 32 33 34 35 36 3G"})
        EXPECT_FALSE(pageBytes(refused, false)) << refused;
    EXPECT_FALSE(hexPageBytes(""));
    EXPECT_FALSE(asciiPageBytes("A B C D E F G"));
    EXPECT_FALSE(asciiPageBytes("AB C D E F G H"));
    EXPECT_EQ(normalisePageEntry("ABCDEFGHI", kInAscii, "Right"), "ABCDEFGHI");
}

TEST(PageCells, RunsNeverLeaveTheCells)
{
    PageCells cells;
    const std::uint8_t id[] = {1, 2, 3, 4};
    const PageCells before = cells;
    EXPECT_FALSE(cells.place(133, id));
    EXPECT_FALSE(cells.place(-1, id));
    EXPECT_FALSE(cells.fill(0, 137, 0xFF));
    EXPECT_FALSE(cells.take(136, 1));
    EXPECT_EQ(cells, before);
    EXPECT_TRUE(cells.place(132, id));
    EXPECT_EQ(cells.page(17), (PageBytes{0, 0, 0, 0, 1, 2, 3, 4}));
    EXPECT_EQ(cells.take(132, 4), (std::vector<std::uint8_t>{1, 2, 3, 4}));
    EXPECT_FALSE(runFitsCells(1, 0x7FFFFFFFFFFFFFFFLL));
}

// A box that reads as eight bytes gives them; an empty box or one holding
// no eight bytes gives the fallback's and is not written until a placement
// reaches it.
TEST(PageImage, BoxesGiveTheirBytesAndPlacementsMakePagesWritable)
{
    PageCells fallback;
    fallback.setPage(3, PageBytes{9, 9, 9, 9, 9, 9, 9, 9});
    PageTextArray texts;
    texts.fill("30 31 32 33 34 35 36 37");
    texts[1] = "";
    texts[2] = "30 31 typed by hand";
    const struct {
        int page;
        PageBytes bytes;
        bool blank, faulty;
    } expected[] = {
        {1, {0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37}, false, false},
        {2, {}, true, false},
        {3, {9, 9, 9, 9, 9, 9, 9, 9}, false, true},
    };
    PageImage image = pageImageOf(texts, false, fallback);
    for (const auto &page : expected) {
        const auto i = static_cast<std::size_t>(page.page - 1);
        EXPECT_EQ(image.cells.page(page.page), page.bytes) << page.page;
        EXPECT_EQ(image.blank[i], page.blank) << page.page;
        EXPECT_EQ(image.faulty[i], page.faulty) << page.page;
    }
    EXPECT_EQ(pageImageOf(texts, true, fallback).faulty[0], true); // HEX digits are no ASCII page

    const std::uint8_t id[] = {0x41, 0x42};
    const PageImage before = image;
    EXPECT_FALSE(image.place(135, id));
    EXPECT_EQ(image, before);
    ASSERT_TRUE(image.place(15, id)); // the last byte of page 2, the first of page 3
    EXPECT_EQ(image.placed, (PageFlagArray{false, true, true}));
    EXPECT_TRUE(image.holdsBytes(2) && image.holdsBytes(3));
    EXPECT_EQ(image.cells.page(3), (PageBytes{0x42, 9, 9, 9, 9, 9, 9, 9}));
}

} // namespace
} // namespace teb
