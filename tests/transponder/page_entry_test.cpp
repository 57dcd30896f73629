#include "transponder/page_text.h"

#include <gtest/gtest.h>

namespace teb {
namespace {

struct CheckCase {
    std::string text;
    bool asciiFormat;
    int faults;
};

void PrintTo(const CheckCase& c, std::ostream* out)
{
    *out << (c.asciiFormat ? "ASCII \"" : "HEX \"") << c.text << "\"";
}

class CheckPageText : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckPageText, CountsFaults)
{
    EXPECT_EQ(checkPageText(GetParam().text, GetParam().asciiFormat), GetParam().faults);
}

INSTANTIATE_TEST_SUITE_P(Hex, CheckPageText, testing::Values(
    CheckCase{"30 31 32 33 34 35 36 37", false, 0},
    CheckCase{"3a 3b 3c 3d 3e 3f 0a ff", false, 0},
    CheckCase{"3031323334353637", false, 0},
    CheckCase{"30 31 32 33 34 35 36 3", false, 1},
    CheckCase{"30 31 32 33 34 35 36 3G", false, 1},
    CheckCase{"", false, 1},
    CheckCase{"GG GG", false, 5},
    CheckCase{"NUL NUL NUL NUL NUL NUL NUL NUL", false, 25},
    CheckCase{"00 00 00 00 00 00 00 00 00", false, 1}));

INSTANTIATE_TEST_SUITE_P(Ascii, CheckPageText, testing::Values(
    CheckCase{"NUL NUL NUL NUL NUL NUL NUL NUL", true, 0},
    CheckCase{" NUL NUL NUL NUL NUL NUL NUL NUL", true, 0},
    CheckCase{"NUL NUL NUL NUL NUL NUL NUL NUL ", true, 0},
    CheckCase{"ABC", true, 1},
    CheckCase{"", true, 1},
    CheckCase{"A B C D E F G H", true, 0},
    CheckCase{"A B C D E F G H I", true, 1},
    CheckCase{"A   B C D E F G", true, 0},
    CheckCase{"ABCDEFGH", true, 1},
    // Eight characters but seven tokens would write only seven bytes.
    CheckCase{"AB C D E F G H", true, 1},
    CheckCase{"NULNUL C D E F G H", true, 1},
    CheckCase{"NULA C D E F G H", true, 1},
    // Eight tokens but more than eight characters.
    CheckCase{"AB C D E F G H I", true, 1},
    CheckCase{"NULA B C D E F G H", true, 1}));

struct EntryCase {
    std::string typed;
    bool asciiFormat;
    std::string alignment;
    std::string expected;
    int faults;
};

void PrintTo(const EntryCase& c, std::ostream* out)
{
    *out << (c.asciiFormat ? "ASCII \"" : "HEX \"") << c.typed << "\" aligned " << c.alignment;
}

class PageEntry : public testing::TestWithParam<EntryCase> {};

TEST_P(PageEntry, NormalisesTheTypedTextAndChecksTheResult)
{
    const auto& entry = GetParam();
    const std::string text = normalisePageEntry(entry.typed, entry.asciiFormat, entry.alignment);
    EXPECT_EQ(text, entry.expected);
    EXPECT_EQ(checkPageText(text, entry.asciiFormat), entry.faults);
}

INSTANTIATE_TEST_SUITE_P(Ascii, PageEntry, testing::Values(
    EntryCase{"ABCDEFGH", true, "None", "A B C D E F G H", 0},
    EntryCase{"ABCDEFG ", true, "None", "A B C D E F G  ", 0},
    EntryCase{"ABC", true, "Right", "NUL NUL NUL NUL NUL A B C", 0},
    EntryCase{"ABC", true, "Left", "A B C NUL NUL NUL NUL NUL", 0},
    EntryCase{"ABC", true, "None", "ABC", 1},
    EntryCase{"A C", true, "Right", "NUL NUL NUL NUL NUL A   C", 0},
    EntryCase{"", true, "Right", "NUL NUL NUL NUL NUL NUL NUL NUL", 0},
    EntryCase{"", true, "Left", " NUL NUL NUL NUL NUL NUL NUL NUL", 0},
    EntryCase{"", true, "", "", 1},
    EntryCase{"NUL NUL NUL NUL NUL NUL NUL NUL", true, "Left", "NUL NUL NUL NUL NUL NUL NUL NUL", 0},
    EntryCase{"NUL A B C D E F G", true, "Right", "NUL A B C D E F G", 0},
    EntryCase{"ABCDEFGHI", true, "Right", "ABCDEFGHI", 1}));

INSTANTIATE_TEST_SUITE_P(Hex, PageEntry, testing::Values(
    EntryCase{"3031", false, "Right", "00 00 00 00 00 00 30 31", 0},
    EntryCase{"3031", false, "Left", "30 31 00 00 00 00 00 00", 0},
    EntryCase{"3031", false, "None", "3031", 1},
    EntryCase{"", false, "Right", "00 00 00 00 00 00 00 00", 0},
    EntryCase{"3031323334353637", false, "None", "30 31 32 33 34 35 36 37", 0},
    EntryCase{"30 31 32 33 34 35 36 37", false, "Right", "30 31 32 33 34 35 36 37", 0},
    EntryCase{"30 31", false, "Left", "30  3 10 00 00 00 00 00", 1},
    EntryCase{"30313233343536373", false, "Left", "30313233343536373", 1}));

} // namespace
} // namespace teb
