#include "transponder/page_text.h"

#include <gtest/gtest.h>

#include <tuple>

namespace teb {
namespace {

using namespace std::string_literals;

constexpr bool hex = false;
constexpr bool ascii = true;

// Page text, format, faults.
class CheckPageText : public testing::TestWithParam<std::tuple<std::string, bool, int>> {};

TEST_P(CheckPageText, CountsFaults)
{
    const auto& [text, asciiFormat, faults] = GetParam();
    EXPECT_EQ(checkPageText(text, asciiFormat), faults);
}

INSTANTIATE_TEST_SUITE_P(Hex, CheckPageText, testing::Values(
    std::tuple{"3a 3b 3c 3d 3e 3f 0a ff"s, hex, 0},
    std::tuple{"3031323334353637"s, hex, 0},
    std::tuple{"30 31 32 33 34 35 36 3"s, hex, 1},
    std::tuple{"30 31 32 33 34 35 36 3G"s, hex, 1},
    std::tuple{""s, hex, 1},
    std::tuple{"GG GG"s, hex, 5},
    std::tuple{"00 00 00 00 00 00 00 00 00"s, hex, 1}));

INSTANTIATE_TEST_SUITE_P(Ascii, CheckPageText, testing::Values(
    std::tuple{"NUL NUL NUL NUL NUL NUL NUL NUL"s, ascii, 0},
    std::tuple{" NUL NUL NUL NUL NUL NUL NUL NUL"s, ascii, 0},
    std::tuple{"ABC"s, ascii, 1},
    std::tuple{""s, ascii, 1},
    std::tuple{"A B C D E F G H I"s, ascii, 1},
    std::tuple{"A   B C D E F G"s, ascii, 0},
    std::tuple{"ABCDEFGH"s, ascii, 1},
    // Eight characters in seven tokens, or eight tokens of more characters.
    std::tuple{"AB C D E F G H"s, ascii, 1},
    std::tuple{"NULA C D E F G H"s, ascii, 1},
    std::tuple{"AB C D E F G H I"s, ascii, 1},
    std::tuple{"NULA B C D E F G H"s, ascii, 1}));

// Typed text, format, alignment, normalised text, faults of the result.
class PageEntry : public testing::TestWithParam<std::tuple<std::string, bool, std::string, std::string, int>> {};

TEST_P(PageEntry, NormalisesTheTypedTextAndChecksTheResult)
{
    const auto& [typed, asciiFormat, alignment, expected, faults] = GetParam();
    const std::string text = normalisePageEntry(typed, asciiFormat, alignment);
    EXPECT_EQ(text, expected);
    EXPECT_EQ(checkPageText(text, asciiFormat), faults);
}

INSTANTIATE_TEST_SUITE_P(Ascii, PageEntry, testing::Values(
    std::tuple{"ABCDEFGH"s, ascii, "None"s, "A B C D E F G H"s, 0},
    std::tuple{"ABCDEFG "s, ascii, "None"s, "A B C D E F G  "s, 0},
    std::tuple{"ABC"s, ascii, "Right"s, "NUL NUL NUL NUL NUL A B C"s, 0},
    std::tuple{"ABC"s, ascii, "Left"s, "A B C NUL NUL NUL NUL NUL"s, 0},
    std::tuple{"ABC"s, ascii, "None"s, "ABC"s, 1},
    std::tuple{"A C"s, ascii, "Right"s, "NUL NUL NUL NUL NUL A   C"s, 0},
    std::tuple{""s, ascii, "Right"s, "NUL NUL NUL NUL NUL NUL NUL NUL"s, 0},
    std::tuple{""s, ascii, "Left"s, " NUL NUL NUL NUL NUL NUL NUL NUL"s, 0},
    std::tuple{"NUL NUL NUL NUL NUL NUL NUL NUL"s, ascii, "Left"s, "NUL NUL NUL NUL NUL NUL NUL NUL"s, 0},
    std::tuple{"NUL A B C D E F G"s, ascii, "Right"s, "NUL A B C D E F G"s, 0},
    std::tuple{"ABCDEFGHI"s, ascii, "Right"s, "ABCDEFGHI"s, 1}));

INSTANTIATE_TEST_SUITE_P(Hex, PageEntry, testing::Values(
    std::tuple{"3031"s, hex, "Right"s, "00 00 00 00 00 00 30 31"s, 0},
    std::tuple{"3031"s, hex, "Left"s, "30 31 00 00 00 00 00 00"s, 0},
    std::tuple{"3031"s, hex, "None"s, "3031"s, 1},
    std::tuple{""s, hex, "Right"s, "00 00 00 00 00 00 00 00"s, 0},
    std::tuple{"3031323334353637"s, hex, "None"s, "30 31 32 33 34 35 36 37"s, 0},
    std::tuple{"30 31 32 33 34 35 36 37"s, hex, "Right"s, "30 31 32 33 34 35 36 37"s, 0},
    // Filling counts blanks too, so a typed blank shifts the pairs.
    std::tuple{"30 31"s, hex, "Left"s, "30  3 10 00 00 00 00 00"s, 1},
    std::tuple{"30313233343536373"s, hex, "Left"s, "30313233343536373"s, 1}));

} // namespace
} // namespace teb
