// "Config Pages 3-17": its byte cells, the counter page and the switches.
#include "windows/pages_editor/auto_2.h"

#include <gtest/gtest.h>

#include "support/fake_auto_2_view.h"

namespace teb {
namespace {

using test::FakeAuto_2View;

std::string hexOf(const PagesEditorData &data, int byte)
{
    return data.pages[static_cast<std::size_t>(byte / 8)].hex[static_cast<std::size_t>(byte % 8)];
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

// Confirming a cell takes NUL or one printable character, on either side, and
// moves on (from the last byte back to the first); anything else is reported
// with the format's message and stays in the cell.
TEST(PagesEditor, ConfirmingACellTakesValidBytesAndReportsOthers)
{
    const struct {
        bool asciiFormat;
        std::string typed;
        std::optional<ByteTexts> taken; // nothing: refused
        int byte = 40;
    } cases[] = {
        {false, "7e", ByteTexts{"7E", "~"}}, {false, "20", ByteTexts{"20", " "}}, {false, "41", ByteTexts{"41", "A"}, 135},
        {false, "7f", std::nullopt},        {false, "1F", std::nullopt},      {false, "414", std::nullopt},
        {true, "NUL", ByteTexts{"00", "NUL"}}, {true, "~", ByteTexts{"7E", "~"}}, {true, "AB", std::nullopt},
        {true, "", std::nullopt},           {true, "\x1f", std::nullopt},     {true, "\x7f", std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.typed));
        FakeAuto_2View view;
        auto_2 dialog(blankData(c.asciiFormat));
        dialog.open(view);
        view.typeCell(dialog, c.byte, c.typed);
        if (c.taken) {
            EXPECT_TRUE(view.messages.empty());
            EXPECT_EQ(hexOf(dialog.data(), c.byte), c.taken->hex);
            EXPECT_EQ(view.cell(c.byte), c.asciiFormat ? c.taken->ascii : c.taken->hex);
        } else {
            std::string expected(c.asciiFormat ? kAsciiCellMessage : kHexCellMessage);
            expected.replace(expected.find("%i"), 2, std::to_string(c.byte));
            EXPECT_EQ(view.messageTexts(), std::vector<std::string>{expected});
            EXPECT_EQ(hexOf(dialog.data(), c.byte), "00");
            EXPECT_EQ(view.cell(c.byte), c.typed);
        }
        EXPECT_EQ(view.focus, pagesCell(c.byte == 135 ? 16 : c.byte + 1));
    }
}

// The counter page holds the counter value: its "Edit" stays off.
TEST(PagesEditor, TheCounterPageCannotBeSwitchedToEdit)
{
    FakeAuto_2View view;
    auto_2 dialog(blankData(false, "12", "42"));
    dialog.open(view);
    EXPECT_FALSE(view.controls[pagesEditSwitch(12)].enabled);
    EXPECT_TRUE(view.controls[pagesEditSwitch(11)].enabled);
    dialog.clicked(pagesEditSwitch(12));
    EXPECT_FALSE(dialog.data().pages[11].editable);
}

// "OK" reads the counter value back from its page; a value too long for its
// page is reported and comes back as it was.
TEST(PagesEditor, OkReadsTheCounterValueBackFromItsPage)
{
    const struct {
        std::string counterPage, counterValue;
        std::vector<std::string> pageCells; // ASCII cells of page 12, typed before "OK"
        std::string result;
        bool reported;
    } cases[] = {
        {"12", "00000007", {"1", "2", "A", "B", "NUL", "NUL", "NUL", "NUL"}, "00000012", false},
        {"None", "00000007", {}, "00000007", false},
        {"12", "00000007", {}, "00000007", false}, // nobody edited the page
        {"12", "123456789", {}, "123456789", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.result);
        FakeAuto_2View view;
        view.operatorActions = [&](auto_2 &dialog, FakeAuto_2View &v) {
            for (std::size_t i = 0; i < c.pageCells.size(); ++i)
                v.typeCell(dialog, 88 + static_cast<int>(i), c.pageCells[i]);
            dialog.clicked(PagesControl::Ok);
        };
        auto_2 dialog(blankData(true, c.counterPage, c.counterValue));
        ASSERT_EQ(dialog.run(view), DialogResult::Ok);
        EXPECT_EQ(dialog.data().counterValue, c.result);
        EXPECT_EQ(view.messageTexts(), c.reported ? std::vector<std::string>{std::string(kCounterValueTooLongMessage)}
                                                  : std::vector<std::string>{});
    }
}

TEST(PagesEditor, TheFormatSwitchAndOkTakeTypedOverCellsFirst)
{
    FakeAuto_2View view;
    auto_2 dialog(blankData());
    dialog.open(view);
    view.setText(pagesCell(20), "G1");
    view.setText(pagesCell(21), "42");
    dialog.clicked(PagesControl::AsciiFormat);
    EXPECT_FALSE(dialog.data().asciiFormat);
    EXPECT_EQ(view.focus, pagesCell(20));
    dialog.clicked(PagesControl::Ok);
    EXPECT_FALSE(view.endResult);

    view.setText(pagesCell(20), "31");
    dialog.clicked(PagesControl::AsciiFormat);
    EXPECT_EQ(view.cell(21), "B");
    dialog.clicked(PagesControl::Ok);
    EXPECT_EQ(view.endResult, DialogResult::Ok);
    EXPECT_EQ(hexOf(dialog.data(), 20), "31");
}

} // namespace
} // namespace teb
