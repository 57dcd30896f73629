#include "main_window_fixture.h"

#include <gmock/gmock.h>

namespace teb::test {
namespace {

const std::string kHexMessage =
    "change P4 to a length of 16 printable hexadecimal characters (20,21,22,...,7D,7E) with spaces in between";
const std::string kAsciiMessage =
    "change P4 to a length of 8 characters with spaces in between; 'NUL' is 0x00 in ASCII format";

struct EntryCase {
    const char *name;
    bool ascii;
    std::string alignment;
    std::string typed;
    std::string shown;
    bool valid;
};

void PrintTo(const EntryCase &entry, std::ostream *out) { *out << entry.name; }

class PageEntry : public MainWindowTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(PageEntry, NormalisesChecksAndColoursThePageBox)
{
    const EntryCase &entry = GetParam();
    writeSettings(iniLines({"[Data]", std::string("Format=") + (entry.ascii ? "1" : "0")}));
    CQV58Dlg &w = start();
    w.currentSet.alignment = entry.alignment;
    view.messages.clear();
    view.type(pageBox(4), entry.typed);

    w.enterPressed(pageBox(4));

    EXPECT_EQ(shown(pageBox(4)), entry.shown);
    EXPECT_EQ(w.pageText[pageIndex(4)], entry.shown);
    EXPECT_EQ(entry.ascii ? w.asciiTextKept[pageIndex(4)] : w.hexTextKept[pageIndex(4)], entry.shown);
    EXPECT_EQ(view.control(pageBox(4)).background, entry.valid ? colour::Green : colour::Red);
    if (entry.valid) {
        EXPECT_TRUE(view.messages.empty());
    } else {
        EXPECT_THAT(view.messages, ::testing::ElementsAre(MessageRequest{
                                       entry.ascii ? kAsciiMessage : kHexMessage, "Tag Encoder Bench",
                                       MessageIcon::Warning, MessageButtons::Ok}));
    }
    EXPECT_TRUE(w.focusOneRequest);
}

INSTANTIATE_TEST_SUITE_P(
    FormatsAndAlignments, PageEntry,
    ::testing::Values(
        EntryCase{"HexRight", false, "Right", "3031", "00 00 00 00 00 00 30 31", true},
        EntryCase{"HexLeft", false, "Left", "3031", "30 31 00 00 00 00 00 00", true},
        EntryCase{"HexNone", false, "None", "3031", "3031", false},
        EntryCase{"HexSixteenDigits", false, "None", "3031323334353637", "30 31 32 33 34 35 36 37", true},
        EntryCase{"HexFormatted", false, "Right", "30 31 32 33 34 35 36 37", "30 31 32 33 34 35 36 37", true},
        EntryCase{"HexLowerCase", false, "None", "3a3b3c3d3e3f4041", "3a 3b 3c 3d 3e 3f 40 41", true},
        EntryCase{"HexNotADigit", false, "None", "303132333435363G", "30 31 32 33 34 35 36 3G", false},
        EntryCase{"AsciiRight", true, "Right", "abc", "NUL NUL NUL NUL NUL a b c", true},
        EntryCase{"AsciiLeft", true, "Left", "abc", "a b c NUL NUL NUL NUL NUL", true},
        EntryCase{"AsciiNone", true, "None", "abc", "abc", false},
        EntryCase{"AsciiEightCharacters", true, "None", "ABCDEFGH", "A B C D E F G H", true},
        EntryCase{"AsciiEightNul", true, "Left", "NUL NUL NUL NUL NUL NUL NUL NUL", "NUL NUL NUL NUL NUL NUL NUL NUL",
                  true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, PageEntryKeepsTheOtherFormatsTextForTheFormatSwitch)
{
    CQV58Dlg &w = start();
    w.currentSet.alignment = "Right";
    view.type(pageBox(1), "3031");
    w.enterPressed(pageBox(1));
    EXPECT_EQ(w.asciiTextKept[0], "NUL NUL NUL NUL NUL NUL 0 1");

    w.clicked(Control::AsciiSwitch);
    view.type(pageBox(2), "AB");
    w.enterPressed(pageBox(2));
    EXPECT_EQ(w.hexTextKept[1], "00 00 00 00 00 00 41 42");
}

} // namespace
} // namespace teb::test
