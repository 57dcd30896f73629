#include "windows/pages_editor/pages_editor.h"

#include <gtest/gtest.h>

#include "support/fake_pages_editor_view.h"

namespace teb {
namespace {

using test::FakePagesEditorView;

std::string hexOf(const PagesEditorData &data, int byte)
{
    return data.pages[static_cast<std::size_t>(byte / 8)].hex[static_cast<std::size_t>(byte % 8)];
}
std::string asciiOf(const PagesEditorData &data, int byte)
{
    return data.pages[static_cast<std::size_t>(byte / 8)].ascii[static_cast<std::size_t>(byte % 8)];
}

// The editor run to its end: its data on "OK", nothing on "Abbrechen".
std::optional<PagesEditorData> runPagesEditor(FakePagesEditorView &view, const PagesEditorData &data)
{
    auto_2 dialog(data);
    if (dialog.run(view) != DialogResult::Ok)
        return std::nullopt;
    return dialog.data();
}

PagesEditorData blankData(bool asciiFormat = false, std::string counterPage = "None", std::string counterValue = "")
{
    PagesEditorData data;
    for (PageSetting &page : data.pages) {
        page.hex.fill("00");
        page.ascii.fill("NUL");
    }
    data.asciiFormat = asciiFormat;
    data.counterPage = std::move(counterPage);
    data.counterValue = std::move(counterValue);
    return data;
}

struct CellCase {
    bool asciiFormat;
    std::string typed;
    std::optional<ByteTexts> taken;  // nothing: rejected with the format's message
    int byte = 40;
};
void PrintTo(const CellCase &c, std::ostream *os)
{
    *os << (c.asciiFormat ? "ASCII " : "hex ") << testing::PrintToString(c.typed) << " at byte " << c.byte;
}

class PagesEditorCell : public testing::TestWithParam<CellCase> {};

TEST_P(PagesEditorCell, ConfirmingTakesValidBytesAndReportsOthers)
{
    const CellCase &c = GetParam();
    FakePagesEditorView view;
    auto_2 dialog(blankData(c.asciiFormat));
    dialog.open(view);

    view.typeCell(dialog, c.byte, c.typed);

    if (c.taken) {
        EXPECT_TRUE(view.messages.empty());
        EXPECT_EQ(hexOf(dialog.data(), c.byte), c.taken->hex);
        EXPECT_EQ(asciiOf(dialog.data(), c.byte), c.taken->ascii);
        EXPECT_EQ(view.cell(c.byte), c.asciiFormat ? c.taken->ascii : c.taken->hex);
    } else {
        ASSERT_EQ(view.messages.size(), 1u);
        std::string expected(c.asciiFormat ? asciiCellMessage : hexCellMessage);
        expected.replace(expected.find("%i"), 2, std::to_string(c.byte));
        EXPECT_EQ(view.messages[0].text, expected);
        EXPECT_EQ(view.messages[0].caption, "Tag Encoder Bench");
        EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(hexOf(dialog.data(), c.byte), "00");
        EXPECT_EQ(asciiOf(dialog.data(), c.byte), "NUL");
        EXPECT_EQ(view.cell(c.byte), c.typed);  // the invalid text stays in the cell
    }
    const int next = c.byte == 135 ? 16 : c.byte + 1;  // from the last byte back to the first
    EXPECT_EQ(view.focus, pagesCell(next));
    EXPECT_EQ(view.selected, pagesCell(next));
}

INSTANTIATE_TEST_SUITE_P(Cells, PagesEditorCell, testing::Values(
    // Hex format: two digits of NUL or of a printable character; the last byte moves on to the first.
    CellCase{false, "7e", ByteTexts{"7E", "~"}}, CellCase{false, "00", ByteTexts{"00", "NUL"}},
    CellCase{false, "20", ByteTexts{"20", " "}}, CellCase{false, "4a", ByteTexts{"4A", "J"}},
    CellCase{false, "41", ByteTexts{"41", "A"}, 135},
    CellCase{false, "7f", std::nullopt}, CellCase{false, "1F", std::nullopt}, CellCase{false, "A", std::nullopt},
    CellCase{false, "G1", std::nullopt}, CellCase{false, "414", std::nullopt}, CellCase{false, "", std::nullopt},
    // ASCII format: "NUL" or one printable character.
    CellCase{true, "NUL", ByteTexts{"00", "NUL"}}, CellCase{true, "~", ByteTexts{"7E", "~"}},
    CellCase{true, "AB", std::nullopt}, CellCase{true, "", std::nullopt},
    // One rule on both sides: what HEX refuses, ASCII refuses too.
    CellCase{true, "\t", std::nullopt}, CellCase{true, "\x1f", std::nullopt}, CellCase{true, "\x7f", std::nullopt},
    CellCase{true, "\x80", std::nullopt}, CellCase{true, "\xff", std::nullopt}, CellCase{true, " ", ByteTexts{"20", " "}}));

TEST(PagesEditor, CounterPageCarriesTheCounterValueAndCannotBeEdited)
{
    FakePagesEditorView view;
    PagesEditorData data = blankData(false, "12", "42");
    data.pages[11].editable = true;
    auto_2 dialog(data);
    dialog.open(view);

    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(view.cell(88 + i), i < 6 ? "30" : (i == 6 ? "34" : "32"));
    EXPECT_FALSE(dialog.data().pages[11].editable);
    EXPECT_FALSE(view.controls[pagesEditSwitch(12)].enabled);
    EXPECT_FALSE(view.switchImage(pagesEditSwitch(12)));
    EXPECT_TRUE(view.controls[pagesEditSwitch(11)].enabled);
    dialog.clicked(pagesEditSwitch(12));
    EXPECT_FALSE(dialog.data().pages[11].editable);
}

struct CounterReadCase {
    std::string counterPage;
    std::vector<std::string> pageCells;  // ASCII cells of page 12, typed before "OK"
    std::string counterValue;
};
void PrintTo(const CounterReadCase &c, std::ostream *os) { *os << "counter page " << c.counterPage << ": " << c.counterValue; }

class PagesEditorCounterRead : public testing::TestWithParam<CounterReadCase> {};

TEST_P(PagesEditorCounterRead, OkReadsTheCounterValueBackFromItsPage)
{
    FakePagesEditorView view;
    view.operatorActions = [&](auto_2 &dialog, FakePagesEditorView &v) {
        for (std::size_t i = 0; i < GetParam().pageCells.size(); ++i)
            v.typeCell(dialog, 88 + static_cast<int>(i), GetParam().pageCells[i]);
        dialog.clicked(PagesControl::Ok);
    };
    const auto result = runPagesEditor(view, blankData(true, GetParam().counterPage, "00000007"));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->counterValue, GetParam().counterValue);
}

INSTANTIATE_TEST_SUITE_P(Pages, PagesEditorCounterRead, testing::Values(
    CounterReadCase{"12", {"0", "0", "0", "0", "0", "1", "2", "3"}, "00000123"},
    CounterReadCase{"12", {"1", "2", "A", "B", "NUL", "NUL", "NUL", "NUL"}, "00000012"},
    CounterReadCase{"12", {"9", "8", "7", "6", "5", "4", "3", "2"}, "98765432"},
    CounterReadCase{"None", {}, "00000007"},  // no counter page: the value stays as handed in
    CounterReadCase{"12", {}, "00000007"}));  // nobody edited the page: the value stays as handed in

// A value of nine digits does not fit on its page: it is reported, and comes back as it was.
TEST(PagesEditor, ACounterValueLongerThanItsPageIsReportedAndKept)
{
    for (const std::string value : {"123456789", "7"}) {
        FakePagesEditorView view;
        view.operatorActions = [](auto_2 &dialog, FakePagesEditorView &) { dialog.clicked(PagesControl::Ok); };
        const auto result = runPagesEditor(view, blankData(false, "12", value));
        ASSERT_TRUE(result);
        EXPECT_EQ(result->counterValue, value);
        if (value.size() > 8) {
            EXPECT_EQ(view.messages.size(), 1u);
            EXPECT_EQ(view.messages.at(0).text, counterValueTooLongMessage);
            EXPECT_EQ(view.cell(88), "00");  // the page is not cut to eight digits
        } else {
            EXPECT_TRUE(view.messages.empty());
        }
    }
}

TEST(PagesEditor, FormatSwitchShowsTheOtherTextsAndGoesBack)
{
    FakePagesEditorView view;
    view.operatorActions = [](auto_2 &dialog, FakePagesEditorView &v) {
        v.typeCell(dialog, 16, "41");
        dialog.clicked(PagesControl::AsciiFormat);
        EXPECT_EQ(v.cell(16), "A");
        EXPECT_EQ(v.cell(17), "NUL");
        EXPECT_TRUE(v.switchImage(PagesControl::AsciiFormat));
        EXPECT_FALSE(v.switchImage(PagesControl::HexFormat));
        dialog.clicked(PagesControl::AsciiFormat);  // the current format: nothing changes
        EXPECT_EQ(v.cell(16), "A");
        dialog.clicked(PagesControl::Ok);
    };
    const auto result = runPagesEditor(view, blankData());
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->asciiFormat);
    EXPECT_EQ(hexOf(*result, 16), "41");
}

TEST(PagesEditor, TypedOverCellsAreCheckedBeforeAFormatSwitchOrOk)
{
    FakePagesEditorView view;
    auto_2 dialog(blankData());
    dialog.open(view);
    view.setText(pagesCell(20), "G1");  // typed, never confirmed
    view.setText(pagesCell(21), "42");

    dialog.clicked(PagesControl::AsciiFormat);
    EXPECT_FALSE(dialog.data().asciiFormat);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.focus, pagesCell(20));

    dialog.clicked(PagesControl::Ok);
    EXPECT_FALSE(view.endResult);
    EXPECT_EQ(hexOf(dialog.data(), 20), "00");

    view.setText(pagesCell(20), "31");
    dialog.clicked(PagesControl::Ok);
    EXPECT_EQ(view.endResult, DialogResult::Ok);
    EXPECT_EQ(hexOf(dialog.data(), 20), "31");
    EXPECT_EQ(asciiOf(dialog.data(), 21), "B");
}

TEST(PagesEditor, SwitchesFlipTheirOwnFlagAndCancelHandsNothingBack)
{
    FakePagesEditorView view;
    view.operatorActions = [](auto_2 &dialog, FakePagesEditorView &v) {
        dialog.clicked(pagesEditSwitch(3));
        dialog.clicked(pagesLockSwitch(17));
        EXPECT_TRUE(dialog.data().pages[2].editable);
        EXPECT_TRUE(dialog.data().pages[16].locked);
        EXPECT_FALSE(dialog.data().pages[16].editable);
        EXPECT_TRUE(v.switchImage(pagesLockSwitch(17)));
        v.typeCell(dialog, 30, "41");
        dialog.clicked(PagesControl::Cancel);
    };
    EXPECT_FALSE(runPagesEditor(view, blankData()));
    EXPECT_EQ(view.endResult, DialogResult::Cancel);
}

} // namespace
} // namespace teb
