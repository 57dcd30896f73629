#include "params/config_editor_fixture.h"

#include "transponder/byte_text.h"

namespace teb {
namespace {

using namespace test;
using Control = ConfigControl;

struct WindowCase {
    std::string name;
    ParameterSet set;
    std::string carrierId;
    std::string hex;  // bytes 0 .. 15, two digits each
    int first, last;  // the green window inside bytes 0 .. 15; none when first > last
    bool writesPages3To17;
};
void PrintTo(const WindowCase &c, std::ostream *os) { *os << c.name; }

class CarrierIdWindowTest : public ConfigEditorTest, public testing::WithParamInterface<WindowCase> {};

// Opening places the carrier ID (or keeps the CSV page's bytes) in its green window and clears the
// rest of the pages it touches; everything outside the window is fixed.
TEST_P(CarrierIdWindowTest, OpeningPlacesTheWindowAndClearsAroundIt)
{
    const WindowCase &c = GetParam();
    openStored(c.set, c.carrierId);
    for (int byte = 0; byte < 16; ++byte) {
        SCOPED_TRACE(byte);
        const std::string hex = c.hex.substr(static_cast<std::size_t>(byte) * 2, 2);
        const bool window = byte >= c.first && byte <= c.last;
        EXPECT_EQ(hexAt(byte), hex);
        EXPECT_EQ(view.text(hexCell(byte)), hex);
        EXPECT_EQ(view.text(asciiCell(byte)), asciiAt(byte));
        const std::string ascii = hex == "00" ? "NUL" : std::string(1, static_cast<char>(std::stoi(hex, nullptr, 16)));
        if (hex < "80") {
            EXPECT_EQ(asciiAt(byte), ascii);
        }
        if (c.first <= c.last) {
            EXPECT_EQ(fixedAt(byte), !window);
        }
        EXPECT_EQ(view.background(hexCell(byte)), window ? windowGreen : colour::White);
        EXPECT_EQ(view.background(asciiCell(byte)), view.background(hexCell(byte)));
    }
    EXPECT_EQ(dialog->set().writePages3To17, c.writesPages3To17);
    EXPECT_TRUE(view.isEnabled(Control::OkButton));
}

INSTANTIATE_TEST_SUITE_P(Windows, CarrierIdWindowTest, testing::Values(
    WindowCase{"DecimalInPage1", ConfigEditorTest::decimalSet("job", "2", "4"), "17",
               "0000303031370000AAAAAAAAAAAAAAAA", 2, 5, false},
    WindowCase{"DecimalAcrossBothPages", ConfigEditorTest::decimalSet("job", "6", "6"), "123456",
               "00000000000031323334353600000000", 6, 11, false},
    // A CSV window is marked, but the fixed data around it stays until the source is chosen anew.
    WindowCase{"CsvOnItsRealPage", ConfigEditorTest::csvSet("4", "4", "2"), "",
               "4141414141414141AAAAAAAAAAAAAAAA", 12, 15, false},
    WindowCase{"CsvBeyondPage2WritesPages3To17", ConfigEditorTest::csvSet("6", "8", "2"), "",
               "4141414141414141AAAAAAAAAAAAAAAA", 14, 15, true},
    WindowCase{"CsvOnPage3", ConfigEditorTest::csvSet("0", "8", "3"), "",
               "4141414141414141AAAAAAAAAAAAAAAA", 0, -1, true},
    // A window loaded outside the memory is neither placed nor cleared.
    WindowCase{"LoadedOutsideTheMemory", ConfigEditorTest::decimalSet("job", "-2", "4"), "17",
               "4141414141414141AAAAAAAAAAAAAAAA", 0, -1, false},
    WindowCase{"CsvNegativeOffsetInsideTheMemory", ConfigEditorTest::csvSet("-2", "4", "2"), "",
               "4141414141414141AAAAAAAAAAAAAAAA", 0, -1, false},
    // 2^32 + 2 is far outside, not byte 2.
    WindowCase{"OffsetBeyond32Bits", ConfigEditorTest::decimalSet("job", "4294967298", "4"), "17",
               "4141414141414141AAAAAAAAAAAAAAAA", 0, -1, false}),
    [](const auto &info) { return info.param.name; });

struct CheckCase {
    std::string name;
    bool csvSource;
    std::string offset, length, memoryPage;
    std::string shownOffset, shownLength;
    std::vector<std::string> messages;
};
void PrintTo(const CheckCase &c, std::ostream *os) { *os << c.name; }

class CarrierIdCheckTest : public ConfigEditorTest, public testing::WithParamInterface<CheckCase> {};

TEST_P(CarrierIdCheckTest, EnterCorrectsTheFieldsWithItsMessages)
{
    const CheckCase &c = GetParam();
    CAutoDlg &editor = openStored(c.csvSource ? csvSet("0", "4", "1") : decimalSet("job", "0", "4"));

    view.type(Control::CarrierIdOffset, c.offset);
    view.type(Control::MemoryPage, c.memoryPage);
    view.typeAndEnter(editor, Control::CarrierIdLength, c.length);

    EXPECT_EQ(view.text(Control::CarrierIdOffset), c.shownOffset);
    EXPECT_EQ(view.text(Control::CarrierIdLength), c.shownLength);
    EXPECT_EQ(view.messageTexts(), c.messages);
    for (const MessageRequest &message : view.messages) {
        EXPECT_EQ(message.caption, "Tag Encoder Bench");
        EXPECT_EQ(message.icon, MessageIcon::Warning);
    }
    EXPECT_FALSE(view.isEnabled(Control::OkButton));
}

INSTANTIATE_TEST_SUITE_P(Fields, CarrierIdCheckTest, testing::Values(
    CheckCase{"Length20", false, "0", "20", "1", "0", "16", {"Carrier ID Length must be under 16."}},
    CheckCase{"Offset10Length8", false, "10", "8", "1", "10", "6",
              {"Carrier ID Offset + Carrier ID Length must be under 16."}},
    CheckCase{"Page17", true, "3", "7", "17", "3", "5",
              {"On Page 17 Carrier ID Offset + Carrier ID Length must be under 8."}},
    CheckCase{"WithinPages", false, "2", "4", "1", "2", "4", {}},
    CheckCase{"NegativeLength", false, "2", "-3", "1", "2", "0", {"Carrier ID Length must be under 16."}},
    CheckCase{"NegativeOffset", true, "-5", "4", "1", "0", "4", {"Carrier ID Length must be under 16."}},
    CheckCase{"DecimalOffsetBeyondPage2", false, "20", "4", "1", "16", "0",
              {"Carrier ID Offset + Carrier ID Length must be under 16.", "Carrier ID Length must be under 16."}},
    CheckCase{"CsvBeyondMemory", true, "20", "16", "16", "16", "0", {"Carrier ID Length must be under 16."}},
    CheckCase{"OffsetBeyond32Bits", false, "4294967298", "4", "1", "16", "0",
              {"Carrier ID Offset + Carrier ID Length must be under 16.", "Carrier ID Length must be under 16."}},
    CheckCase{"LengthBeyond32Bits", true, "0", "4294967300", "1", "0", "16", {"Carrier ID Length must be under 16."}}),
    [](const auto &info) { return info.param.name; });

TEST(CarrierIdFields, AMemoryPageBeyond32BitsIsThePageLimit)
{
    EXPECT_EQ(memoryPageOf("4294967298"), 17);
    EXPECT_EQ(checkCarrierIdFields(CarrierIdSource::CsvFile, {"0", "4", "4294967298"}).fields.memoryPage, "17");
}

TEST_F(ConfigEditorTest, AFieldLosingTheFocusToTheCheckMessageDoesNotCheckAgain)
{
    CAutoDlg &editor = openStored(decimalSet("job", "0", "4"));
    view.whileMessageShows = [&](const MessageRequest &) { editor.focusLost(Control::CarrierIdLength); };
    view.typeAndEnter(editor, Control::CarrierIdLength, "20");
    EXPECT_EQ(view.messages.size(), 1u);
    editor.focusLost(Control::CarrierIdLength);  // the operator moves on: checked again, nothing to say
    EXPECT_EQ(view.messages.size(), 1u);
}

struct CellCase {
    bool hexSide;
    std::string typed;
    std::string hex, ascii;
    bool valid;
};

class ConfigCellTest : public ConfigEditorTest, public testing::WithParamInterface<CellCase> {};

TEST_P(ConfigCellTest, EnterConvertsIntoTheOtherCellAndMovesOn)
{
    const CellCase &c = GetParam();
    CAutoDlg &editor = openStored(decimalSet("job", "0", "2"), "12");
    const ConfigControl cell = c.hexSide ? hexCell(15) : asciiCell(15);

    view.typeAndEnter(editor, cell, c.typed);

    EXPECT_EQ(hexAt(15), c.hex);
    EXPECT_EQ(asciiAt(15), c.ascii);
    EXPECT_EQ(view.text(hexCell(15)), c.hex);
    EXPECT_EQ(view.text(asciiCell(15)), c.ascii);
    EXPECT_EQ(view.focus, c.hexSide ? hexCell(0) : asciiCell(0));
    EXPECT_EQ(view.selected, view.focus);
    EXPECT_EQ(view.background(hexCell(15)), c.valid ? colour::White : colour::Red);
    EXPECT_EQ(view.isEnabled(Control::SaveButton), c.valid);
    EXPECT_FALSE(view.isEnabled(Control::OkButton));
}

INSTANTIATE_TEST_SUITE_P(Cells, ConfigCellTest, testing::Values(
    CellCase{false, "A", "41", "A", true},
    CellCase{false, "NUL", "00", "NUL", true},
    CellCase{false, "", "00", "NUL", true},
    CellCase{true, "4a", "4A", "J", true},
    CellCase{true, "", "00", "NUL", true},
    CellCase{true, "7", "07", "\x07", true},
    CellCase{false, "AB", "4142", "AB", false},
    CellCase{true, "414", "414", "\x04\x14", false},
    CellCase{true, "G1", "G1", "\x01", false}));

TEST_F(ConfigEditorTest, AFaultyCellBlocksSaveAndOkUntilMended)
{
    CAutoDlg &editor = openStored(decimalSet("job", "0", "2"), "12");
    view.answers = {MessageAnswer::Yes};
    view.typeAndEnter(editor, hexCell(9), "ABC");
    editor.save();
    EXPECT_EQ(view.messageTexts(), std::vector<std::string>{faultyCellMessage(9)});
    EXPECT_EQ(loadParameterSet(dir.path(), "job").pages[1].hex[1], "AA");

    view.type(hexCell(9), "XYZ");  // typed over, not confirmed: "OK" finds it
    editor.ok();
    EXPECT_FALSE(view.endResult);
    EXPECT_EQ(view.background(hexCell(9)), colour::Red);

    view.typeAndEnter(editor, hexCell(9), "bc");
    EXPECT_TRUE(view.isEnabled(Control::SaveButton));
    editor.save();
    EXPECT_TRUE(view.isEnabled(Control::OkButton));
    EXPECT_EQ(loadParameterSet(dir.path(), "job").pages[1].hex[1], "BC");
}

struct WindowByteCase {
    bool hexSide;
    std::string typed;
    std::string hex;  // what the file holds for byte 0 after "Save"
    std::string carrierId;  // a faulty byte leaves the carrier ID as handed in
};
void PrintTo(const WindowByteCase &c, std::ostream *os) { *os << (c.hexSide ? "HEX " : "ASCII ") << '"' << c.typed << '"'; }

class DecimalWindowByteTest : public ConfigEditorTest, public testing::WithParamInterface<WindowByteCase> {};

// The decimal carrier ID is digits: any other byte in its window is a faulty cell.
TEST_P(DecimalWindowByteTest, TakesDigitsOnly)
{
    const WindowByteCase &c = GetParam();
    const bool valid = c.hex != "41";  // a refused save leaves the file as stored
    CAutoDlg &editor = openStored(decimalSet("job", "0", "4"), "42");
    view.typeAndEnter(editor, c.hexSide ? hexCell(0) : asciiCell(0), c.typed);
    EXPECT_EQ(view.background(hexCell(0)), valid ? windowGreen : colour::Red);
    EXPECT_EQ(view.isEnabled(Control::SaveButton), valid);
    EXPECT_EQ(editor.set().carrierId, c.carrierId);

    view.answers = {MessageAnswer::Yes};
    editor.save();
    EXPECT_EQ(loadParameterSet(dir.path(), "job").pages[0].hex[0], c.hex);
}

INSTANTIATE_TEST_SUITE_P(Cells, DecimalWindowByteTest, testing::Values(
    WindowByteCase{true, "39", "39", "9042"}, WindowByteCase{false, "7", "37", "7042"},
    WindowByteCase{true, "00", "41", "42"}, WindowByteCase{false, "NUL", "41", "42"},
    WindowByteCase{true, "41", "41", "42"}, WindowByteCase{false, " ", "41", "42"}));

// A cell typed over without Enter counts for "Save" and "OK", and the carrier ID follows its window.
TEST_F(ConfigEditorTest, AWindowByteTypedOverWithoutEnterCountsForSaveAndOk)
{
    CAutoDlg &editor = openStored(decimalSet("job", "0", "4"), "17");
    view.type(hexCell(3), "35");
    view.answers = {MessageAnswer::Yes};
    editor.save();
    const ParameterSet saved = loadParameterSet(dir.path(), "job");
    EXPECT_EQ(saved.pages[0].hex[3], "35");
    EXPECT_EQ(saved.carrierId, "0015");

    view.type(asciiCell(2), "4");
    editor.ok();
    ASSERT_TRUE(editor.result().accepted);
    EXPECT_EQ(editor.result().set.carrierId, "0045");
    EXPECT_EQ(editor.result().set.pages[0].hex[2], "34");
    EXPECT_EQ(editor.result().set.pages[0].hex[3], "35");
}

TEST_F(ConfigEditorTest, OpenButtonsChooseFilesAndShowThemShortened)
{
    CAutoDlg &editor = openStored(csvSet("0", "4", "1"));
    const std::string csv = "/" + std::string(90, 'd') + "/ids.csv";
    view.fileChoices = {csv};
    editor.clicked(Control::CsvOpenButton);

    EXPECT_EQ(editor.set().csvFileName, csv);
    EXPECT_EQ(editor.set().recordFileName, csv.substr(0, csv.size() - 3) + "xml");
    EXPECT_EQ(view.text(Control::CsvFileDisplay), "..." + csv.substr(csv.size() - 85));
    EXPECT_FALSE(view.isEnabled(Control::OkButton));

    view.fileChoices = {"/data/record.xml"};
    editor.clicked(Control::RecordOpenButton);
    EXPECT_EQ(view.fileRequests[1].initialFileName, "ids.xml");
    EXPECT_EQ(view.text(Control::RecordFileDisplay), "/data/record.xml");
}

TEST_F(ConfigEditorTest, ChoosingACounterPageTakesEffectAfterItsTimer)
{
    ParameterSet set = decimalSet("job", "0", "4");
    set.pages[4].editable = true;
    CAutoDlg &editor = openStored(set);

    view.choose(editor, Control::CounterPageList, "5");
    EXPECT_EQ(view.lastDelay, std::chrono::milliseconds(500));
    EXPECT_TRUE(editor.set().pages[4].editable);
    ASSERT_TRUE(view.fire(editor, ConfigTimer::CounterPageChoice));
    EXPECT_FALSE(editor.set().pages[4].editable);
    EXPECT_TRUE(editor.set().writePages3To17);
    EXPECT_TRUE(view.isOn(Control::WritePages3To17Switch));
    EXPECT_FALSE(view.isEnabled(Control::OkButton));
}

TEST_F(ConfigEditorTest, OkStaysDisabledAfterAnEditUntilASaveWritesTheFile)
{
    CAutoDlg &editor = openStored(decimalSet("job", "0", "4"));
    editor.clicked(Control::TiSwitch);  // the family leaves "OK" alone
    EXPECT_TRUE(view.isEnabled(Control::OkButton));
    editor.clicked(Control::LogSwitch);
    EXPECT_FALSE(view.isEnabled(Control::OkButton));

    view.answers = {MessageAnswer::No};
    editor.save();
    EXPECT_EQ(view.messageTexts(), std::vector<std::string>{std::string(overwriteQuestion)});
    EXPECT_FALSE(view.isEnabled(Control::OkButton));
    editor.ok();
    EXPECT_FALSE(view.endResult);

    view.answers = {MessageAnswer::Yes};
    editor.save();
    EXPECT_TRUE(view.isEnabled(Control::OkButton));
    EXPECT_TRUE(loadParameterSet(dir.path(), "job").logEnabled);
    editor.ok();
    EXPECT_EQ(view.endResult, DialogResult::Ok);
    EXPECT_TRUE(editor.result().saved);
    EXPECT_TRUE(editor.result().savePressed);
}

} // namespace
} // namespace teb
