// "Config": where the carrier ID lies in pages 1 and 2, the checks of its
// fields, and the byte cells.
#include "windows/config/cauto_dlg_fixture.h"

#include "transponder/byte_text.h"

namespace teb {
namespace {

using namespace test;
using Control = ConfigControl;

// Opening places the carrier ID (or keeps the CSV page's bytes) in its window
// and clears the rest of the pages it touches; outside it all is fixed.
TEST_F(ConfigEditorTest, OpeningPlacesTheWindowAndClearsAroundIt)
{
    const struct {
        std::string name;
        ParameterSet set;
        std::string carrierId;
        std::string hex; // bytes 0 .. 15
        int first, last; // the window; none when first > last
        bool writesPages3To17;
    } cases[] = {
        {"decimal across both pages", decimalSet("job", "6", "6"), "123456", "00000000000031323334353600000000", 6,
         11, false},
        // A CSV window is marked, but the fixed data around it stays until the source is chosen anew.
        {"csv beyond page 2", csvSet("6", "8", "2"), "", "4141414141414141AAAAAAAAAAAAAAAA", 14, 15, true},
        // 2^32 + 2 is far outside, not byte 2: neither placed nor cleared.
        {"offset beyond 32 bits", decimalSet("job", "4294967298", "4"), "17", "4141414141414141AAAAAAAAAAAAAAAA", 0,
         -1, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        openStored(c.set, c.carrierId);
        for (int byte = 0; byte < 16; ++byte) {
            const bool window = byte >= c.first && byte <= c.last;
            EXPECT_EQ(view.text(hexCell(byte)), c.hex.substr(static_cast<std::size_t>(byte) * 2, 2)) << byte;
            if (c.first <= c.last) {
                EXPECT_EQ(dialog->set().pages[byte / 8].fixed[byte % 8], !window) << byte;
            }
        }
        EXPECT_EQ(dialog->set().writePages3To17, c.writesPages3To17);
    }
}

// Enter in a carrier-ID field corrects the fields with its messages, and "OK"
// waits for a save.
TEST_F(ConfigEditorTest, EnterCorrectsTheCarrierIdFieldsWithTheirMessages)
{
    const std::string lengthUnder16 = "Carrier ID Length must be under 16.";
    const std::string sumUnder16 = "Carrier ID Offset + Carrier ID Length must be under 16.";
    const struct {
        bool csvSource;
        std::string offset, length, memoryPage;
        std::string shownOffset, shownLength;
        std::vector<std::string> messages;
    } cases[] = {
        {false, "0", "16", "1", "0", "16", {}},
        {false, "0", "20", "1", "0", "16", {lengthUnder16}},
        {false, "10", "8", "1", "10", "6", {sumUnder16}},
        {true, "3", "6", "17", "3", "5", {"On Page 17 Carrier ID Offset + Carrier ID Length must be under 8."}},
        {true, "-5", "4", "1", "0", "4", {lengthUnder16}},
        {false, "4294967298", "4", "1", "16", "0", {sumUnder16, lengthUnder16}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.offset + "/" + c.length + " on page " + c.memoryPage);
        CAutoDlg &editor = openStored(c.csvSource ? csvSet("0", "4", "1") : decimalSet("job", "0", "4"));
        view.type(Control::CarrierIdOffset, c.offset);
        view.type(Control::MemoryPage, c.memoryPage);
        view.typeAndEnter(editor, Control::CarrierIdLength, c.length);
        EXPECT_EQ(view.text(Control::CarrierIdOffset), c.shownOffset);
        EXPECT_EQ(view.text(Control::CarrierIdLength), c.shownLength);
        EXPECT_EQ(view.messageTexts(), c.messages);
        EXPECT_FALSE(view.isEnabled(Control::OkButton));
    }
}

// Enter in a byte cell converts into the other row and moves on to the row's
// first cell; a faulty cell turns red and blocks "Save".
TEST_F(ConfigEditorTest, EnterInACellConvertsIntoTheOtherCellAndMovesOn)
{
    const struct {
        bool hexSide;
        std::string typed, hex, ascii;
        bool valid;
    } cases[] = {
        {false, "A", "41", "A", true},       {false, "NUL", "00", "NUL", true}, {false, "", "00", "NUL", true},
        {true, "4a", "4A", "J", true},       {true, "7", "07", "\x07", true},   {false, "AB", "4142", "AB", false},
        {true, "414", "414", "\x04\x14", false}, {true, "G1", "G1", "\x01", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        CAutoDlg &editor = openStored(decimalSet("job", "0", "2"), "12");
        view.typeAndEnter(editor, c.hexSide ? hexCell(15) : asciiCell(15), c.typed);
        EXPECT_EQ(view.text(hexCell(15)), c.hex);
        EXPECT_EQ(view.text(asciiCell(15)), c.ascii);
        EXPECT_EQ(dialog->set().pages[1].ascii[7], c.ascii);
        EXPECT_EQ(view.focus, c.hexSide ? hexCell(0) : asciiCell(0));
        EXPECT_EQ(view.background(hexCell(15)), c.valid ? colour::White : colour::Red);
        EXPECT_EQ(view.isEnabled(Control::SaveButton), c.valid);
    }
}

// The decimal carrier ID is digits: any other byte in its window is a faulty
// cell. A byte typed over without Enter counts for "Save" and "OK", and the
// carrier ID follows its window.
TEST_F(ConfigEditorTest, TheDecimalWindowTakesDigitsOnlyAlsoWithoutEnter)
{
    const struct {
        bool hexSide;
        std::string typed;
        std::string saved; // byte 0 in the file after "Save"; "41" where it was refused
        std::string carrierId;
    } cases[] = {
        {true, "39", "39", "9042"}, {false, "7", "37", "7042"}, {true, "00", "41", "42"}, {false, " ", "41", "42"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        CAutoDlg &editor = openStored(decimalSet("job", "0", "4"), "42");
        view.typeAndEnter(editor, c.hexSide ? hexCell(0) : asciiCell(0), c.typed);
        const bool refused = c.saved == "41";
        EXPECT_EQ(view.background(hexCell(0)) == colour::Red, refused);
        EXPECT_EQ(editor.set().carrierId, c.carrierId);
        view.answers = {MessageAnswer::Yes};
        editor.save();
        EXPECT_EQ(view.messageTexts(), std::vector<std::string>{refused ? faultyCellMessage(0) : std::string(kOverwriteQuestion)});
        EXPECT_EQ(loadParameterSet(dir.path(), "job").pages[0].hex[0], c.saved);
    }

    CAutoDlg &editor = openStored(decimalSet("job", "0", "4"), "17");
    view.type(hexCell(3), "35");
    view.answers = {MessageAnswer::Yes};
    editor.save();
    EXPECT_EQ(loadParameterSet(dir.path(), "job").carrierId, "0015");
    view.type(asciiCell(2), "4");
    editor.ok();
    ASSERT_TRUE(editor.result().accepted);
    EXPECT_EQ(editor.result().set.carrierId, "0045");
}

} // namespace
} // namespace teb
