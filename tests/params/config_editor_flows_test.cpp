#include "params/config_editor_fixture.h"

#include "transponder/byte_text.h"

#include <functional>

namespace teb {
namespace {

using namespace test;
using Control = ConfigControl;

TEST_F(ConfigEditorTest, ChoosingAnotherSetLoadsAllOfItsOwnValues)
{
    ParameterSet second = decimalSet("second", "2", "4");
    second.carrierId = "0777";
    second.counterValue = "00000900";
    second.quantity = "10";
    store(decimalSet("first", "0", "4"));
    store(second);
    CAutoDlg &editor = open(input("first", "42"));
    EXPECT_EQ(editor.set().carrierId, "42");
    EXPECT_EQ(editor.set().counterValue, "00000001");

    view.choose(editor, Control::NameList, "second");
    EXPECT_EQ(editor.set().name, "first");  // until the timer fires
    ASSERT_TRUE(view.fire(editor, ConfigTimer::NameChoice));
    EXPECT_EQ(editor.set().name, "second");
    EXPECT_EQ(editor.set().carrierId, "0777");
    EXPECT_EQ(editor.set().counterValue, "00000900");
    EXPECT_EQ(view.text(Control::Quantity), "10");
    EXPECT_EQ(hexAt(2), "30");
    EXPECT_EQ(hexAt(5), "37");
    EXPECT_TRUE(view.isEnabled(Control::OkButton));  // loading leaves "OK" alone
}

TEST_F(ConfigEditorTest, SaveAndOkWaitForAPendingSetChoice)
{
    store(decimalSet("first", "0", "4"));
    ParameterSet second = decimalSet("second", "0", "4");
    second.carrierId = "9";
    second.quantity = "99";
    store(second);
    CAutoDlg &editor = open(input("first", "1"));

    view.choose(editor, Control::NameList, "second");
    view.answers = {MessageAnswer::Yes};
    editor.save();
    EXPECT_TRUE(view.runningTimers.empty());
    EXPECT_EQ(loadParameterSet(dir.path(), "second").quantity, "99");
    EXPECT_EQ(loadParameterSet(dir.path(), "first").carrierId, "");  // "first" was not written

    view.choose(editor, Control::NameList, "first");
    editor.ok();
    EXPECT_EQ(editor.result().currentSetName, "first");
    EXPECT_EQ(editor.result().set.quantity, "25");
}

TEST_F(ConfigEditorTest, ClosingStopsBothTimers)
{
    CAutoDlg &editor = openStored(decimalSet("job", "0", "4"));
    view.choose(editor, Control::NameList, "job");
    view.choose(editor, Control::CounterPageList, "7");
    editor.cancel();
    EXPECT_TRUE(view.runningTimers.empty());
    editor.timerFired(ConfigTimer::CounterPageChoice);  // a tick already queued changes nothing
    EXPECT_FALSE(editor.set().writePages3To17);
}

TEST_F(ConfigEditorTest, ASetWithoutDataSourceIsNotSaved)
{
    ParameterSet set = decimalSet("job", "0", "4");
    set.useDecimalCounter = false;
    CAutoDlg &editor = openStored(set);
    view.answers = {MessageAnswer::Yes};
    view.type(Control::Quantity, "50");
    editor.save();
    EXPECT_EQ(view.messageTexts(), std::vector<std::string>{std::string(noDataSourceMessage)});
    EXPECT_EQ(view.text(Control::SaveNote), "Not saved: This parameter set has no data source.");
    EXPECT_EQ(loadParameterSet(dir.path(), "job").quantity, "25");
    EXPECT_FALSE(editor.result().saved);
}

ParameterSet changed(ParameterSet set, const std::function<void(ParameterSet &)> &change)
{
    change(set);
    return set;
}

struct RefusalCase {
    std::string name;
    ParameterSet set;
    std::string carrierId;     // as the main window hands them in
    std::string counterValue;
    std::string_view message;
};
void PrintTo(const RefusalCase &c, std::ostream *os) { *os << c.name; }

class RefusalTest : public ConfigEditorTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusalTest, SaveAndOkRefuseTheSetAndSayWhy)
{
    const RefusalCase &c = GetParam();
    store(c.set);
    ConfigEditorInput in = input(c.set.name, c.carrierId);
    in.counterValue = c.counterValue;
    CAutoDlg &editor = open(in);

    view.type(Control::NameList, "copy");
    editor.save();
    EXPECT_FALSE(std::filesystem::exists(setFilePath(dir.path(), "copy")));
    EXPECT_EQ(view.text(Control::SaveNote), notSavedNote(c.message));
    view.type(Control::NameList, "job");
    editor.ok();
    EXPECT_FALSE(view.endResult);
    EXPECT_EQ(view.messageTexts(), (std::vector<std::string>{std::string(c.message), std::string(c.message)}));
    for (const MessageRequest &message : view.messages) {
        EXPECT_EQ(message.caption, "Tag Encoder Bench");
        EXPECT_EQ(message.icon, MessageIcon::Warning);
    }
}

INSTANTIATE_TEST_SUITE_P(Sets, RefusalTest, testing::Values(
    RefusalCase{"NegativeQuantity", changed(ConfigEditorTest::decimalSet("job", "0", "4"), [](auto &s) { s.quantity = "-5"; }),
                "17", "00000001", negativeQuantityMessage},
    RefusalCase{"CarrierIdWithLetters", ConfigEditorTest::decimalSet("job", "0", "4"), "12AB", "00000001",
                carrierIdDigitsMessage},
    RefusalCase{"CarrierIdLongerThanItsLength", ConfigEditorTest::decimalSet("job", "0", "3"), "98765", "00000001",
                carrierIdDigitsMessage},
    RefusalCase{"CounterPageOnTheCarrierId", changed(ConfigEditorTest::csvSet("0", "8", "3"), [](auto &s) { s.counterPage = "3"; }),
                "", "00000001", counterPageClashMessage},
    RefusalCase{"CounterValueBeyondItsPage", changed(ConfigEditorTest::decimalSet("job", "0", "4"), [](auto &s) { s.counterPage = "5"; }),
                "17", "123456789", counterValueTooLongMessage},
    RefusalCase{"CounterValueBeyond64Bits", changed(ConfigEditorTest::decimalSet("job", "0", "4"), [](auto &s) { s.counterPage = "5"; }),
                "17", "18446744073709551616", counterValueTooLongMessage}),
    [](const auto &info) { return info.param.name; });

// The faults that a field or list shows at once, not only on "Save".
TEST_F(ConfigEditorTest, ACarrierIdThatIsNoNumberAndACounterPageOnTheCarrierIdAreReportedAtOnce)
{
    CAutoDlg &editor = openStored(decimalSet("job", "0", "4"), "17");
    view.type(Control::CarrierId, "12AB");
    editor.focusLost(Control::CarrierId);
    EXPECT_EQ(view.messageTexts(), std::vector<std::string>{std::string(carrierIdDigitsMessage)});

    view.messages.clear();
    editor.clicked(Control::CsvFileSwitch);
    view.typeAndEnter(editor, Control::MemoryPage, "4");
    view.choose(editor, Control::CounterPageList, "4");
    view.fire(editor, ConfigTimer::CounterPageChoice);
    EXPECT_EQ(view.messageTexts(), std::vector<std::string>{std::string(counterPageClashMessage)});
}

// The fixed data of pages 1 and 2 survives opening, "Save" and "OK" of a set whose CSV carrier ID lies further on.
TEST_F(ConfigEditorTest, ACsvCarrierIdBeyondPage2KeepsPages1And2)
{
    CAutoDlg &editor = openStored(csvSet("0", "8", "3"));
    view.answers = {MessageAnswer::Yes};
    editor.save();
    editor.ok();
    ASSERT_TRUE(editor.result().accepted);
    for (const ParameterSet &set : {loadParameterSet(dir.path(), "job"), editor.result().set}) {
        EXPECT_EQ(set.pages[0].hex[0], "41");
        EXPECT_EQ(set.pages[1].hex[7], "AA");
    }
}

struct CsvChoiceCase {
    std::string memoryPage;
    std::string hex;  // bytes 0 .. 15 after ".csv file" is chosen
};

class CsvChoiceTest : public ConfigEditorTest, public testing::WithParamInterface<CsvChoiceCase> {};

// Choosing ".csv file" clears around the window on its own page only.
TEST_P(CsvChoiceTest, ChoosingTheCsvSourceClearsAroundTheWindowOnItsPage)
{
    ParameterSet set = decimalSet("job", "4", "4");
    set.memoryPage = GetParam().memoryPage;
    CAutoDlg &editor = openStored(set, "17");  // the decimal counter fills page 1: 00000000 30303137
    editor.clicked(Control::CsvFileSwitch);
    std::string hex;
    for (int byte = 0; byte < 16; ++byte)
        hex += hexAt(byte);
    EXPECT_EQ(hex, GetParam().hex);
}

INSTANTIATE_TEST_SUITE_P(Pages, CsvChoiceTest, testing::Values(
    CsvChoiceCase{"1", "0000000030303137AAAAAAAAAAAAAAAA"},
    CsvChoiceCase{"2", "000000003030313700000000AAAAAAAA"},
    CsvChoiceCase{"3", "0000000030303137AAAAAAAAAAAAAAAA"}),
    [](const auto &info) { return "MemoryPage" + info.param.memoryPage; });

struct LockCase {
    std::string name;
    std::string offset, length;
    Control pressed;
    bool page1Before, page2Before, carrierBefore;
    bool page1After, page2After, carrierAfter;
};

class LockCouplingTest : public ConfigEditorTest, public testing::WithParamInterface<LockCase> {};

TEST_P(LockCouplingTest, LockSwitchesFollowEachOther)
{
    const LockCase &c = GetParam();
    ParameterSet set = decimalSet("job", c.offset, c.length);
    set.pages[0].locked = c.page1Before;
    set.pages[1].locked = c.page2Before;
    set.lockCarrierId = c.carrierBefore;
    CAutoDlg &editor = openStored(set);
    editor.clicked(c.pressed);
    EXPECT_EQ(editor.set().pages[0].locked, c.page1After);
    EXPECT_EQ(editor.set().pages[1].locked, c.page2After);
    EXPECT_EQ(editor.set().lockCarrierId, c.carrierAfter);
    EXPECT_EQ(view.isOn(Control::LockPage1Switch), c.page1After);
    EXPECT_EQ(view.isOn(Control::LockCarrierIdSwitch), c.carrierAfter);
}

INSTANTIATE_TEST_SUITE_P(Switches, LockCouplingTest, testing::Values(
    LockCase{"CarrierOnInPage1", "2", "4", Control::LockCarrierIdSwitch, false, false, false, true, false, true},
    LockCase{"CarrierOnAcrossPages", "6", "6", Control::LockCarrierIdSwitch, false, false, false, true, true, true},
    LockCase{"CarrierOnInPage2", "10", "4", Control::LockCarrierIdSwitch, false, false, false, false, true, true},
    LockCase{"CarrierOff", "6", "6", Control::LockCarrierIdSwitch, true, true, true, false, false, false},
    LockCase{"Page1OnShortId", "2", "4", Control::LockPage1Switch, false, false, false, true, false, true},
    LockCase{"Page1OnLongIdNeedsPage2", "6", "6", Control::LockPage1Switch, false, false, false, true, false, false},
    LockCase{"Page1Off", "2", "4", Control::LockPage1Switch, true, false, true, false, false, false},
    LockCase{"Page2OnIdInPage2", "10", "4", Control::LockPage2Switch, false, false, false, false, true, true},
    LockCase{"Page2OnWithPage1", "6", "6", Control::LockPage2Switch, true, false, false, true, true, true},
    LockCase{"Page2OffIdReachesIt", "6", "6", Control::LockPage2Switch, true, true, true, true, false, false}),
    [](const auto &info) { return info.param.name; });

TEST_F(ConfigEditorTest, EditHandsPages3To17ToTheirEditorAndTakesThemBack)
{
    ParameterSet set = decimalSet("job", "0", "4");
    set.counterPage = "12";
    CAutoDlg &editor = openStored(set);
    view.pagesEditorActions = [](auto_2 &pages, FakePagesEditorView &v) {
        v.typeCell(pages, 16, "7e");
        pages.clicked(pagesEditSwitch(4));
        pages.clicked(PagesControl::AsciiFormat);
        v.typeCell(pages, 93, "1");
        v.typeCell(pages, 94, "2");
        v.typeCell(pages, 95, "3");
        pages.clicked(PagesControl::Ok);
    };
    editor.clicked(Control::EditPagesButton);
    ASSERT_TRUE(view.pagesEditorInput);
    EXPECT_EQ(view.pagesEditorInput->counterPage, "12");
    EXPECT_EQ(view.pagesEditorInput->counterValue, "00000001");
    EXPECT_EQ(hexAt(16), "7E");
    EXPECT_EQ(hexAt(0), "30");
    EXPECT_TRUE(editor.set().pages[3].editable);
    EXPECT_TRUE(editor.set().writePages3To17);
    EXPECT_EQ(editor.set().counterValue, "00000123");
    EXPECT_TRUE(view.isEnabled(Control::OkButton));

    view.answers = {MessageAnswer::Yes};
    editor.ok();
    EXPECT_TRUE(editor.result().asciiFormat);
}

TEST_F(ConfigEditorTest, SaveAddsANewNameAndDeleteRemovesItWithoutTouchingFiles)
{
    store(decimalSet("a", "0", "4"));
    store(decimalSet("b", "0", "4"));
    store(decimalSet("c", "0", "4"));
    CAutoDlg &editor = open(input("a"));
    view.type(Control::NameList, "new");
    editor.save();
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.text(Control::SaveNote), "Saved \"new\" in " + setFilePath(dir.path(), "new").string());
    EXPECT_EQ(view.control(Control::SaveNote).background, Rgb::fromComponents(0, 110, 50));
    view.type(Control::NameList, "a");
    editor.save(); // an existing set, the overwrite question answered No
    EXPECT_EQ(view.text(Control::SaveNote), "Not saved: \"a\" was kept as it was.");
    EXPECT_EQ(view.control(Control::SaveNote).background, Rgb::fromComponents(160, 20, 20));
    view.choose(editor, Control::NameList, "c");
    editor.timerFired(ConfigTimer::NameChoice);
    EXPECT_EQ(view.text(Control::SaveNote), ""); // it spoke of another set
    EXPECT_EQ(view.control(Control::NameList).entries, (std::vector<std::string>{"a", "b", "c", "new"}));
    EXPECT_TRUE(std::filesystem::exists(setFilePath(dir.path(), "new")));

    view.type(Control::NameList, "b");
    editor.clicked(Control::DeleteButton);
    EXPECT_EQ(editor.setList().names(), (std::vector<std::string>{"a", "c", "new"}));
    EXPECT_EQ(view.text(Control::NameList), "");
    EXPECT_TRUE(std::filesystem::exists(setFilePath(dir.path(), "b")));
    EXPECT_TRUE(view.isEnabled(Control::OkButton));
}

TEST_F(ConfigEditorTest, AFailedSaveShowsBothMessages)
{
    CAutoDlg &editor = openStored(decimalSet("job", "0", "4"));
    std::filesystem::create_directory(dir / "locked.ini");  // cannot be read as a file
    view.type(Control::NameList, "locked");
    editor.clicked(Control::LogSwitch);
    editor.save();
    EXPECT_EQ(view.messageTexts(),
              (std::vector<std::string>{std::string(noAccessMessage), std::string(saveErrorMessage)}));
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(view.text(Control::SaveNote), "Not saved: no access to " + (dir / "locked.ini").string() + ".");
    EXPECT_FALSE(view.isEnabled(Control::OkButton));
    EXPECT_FALSE(editor.setList().contains("locked"));
}

// What the editor saves is what the station loads, and what "OK" hands over.
TEST_F(ConfigEditorTest, ASetSavedByTheEditorLoadsToTheSameJob)
{
    CAutoDlg &editor = openStored(decimalSet("job", "0", "4"), "1000");
    view.type(Control::NameList, "edited");
    view.type(Control::OperatorBadgeId, "B-17");
    view.type(Control::Quantity, "25");
    view.type(Control::CarrierIdOffset, "1");
    view.typeAndEnter(editor, Control::CarrierIdLength, "6");
    editor.clicked(Control::OrvexSwitch);
    editor.clicked(Control::LockCarrierIdSwitch);
    view.typeAndEnter(editor, asciiCell(12), "Z");
    editor.clicked(fixSwitch(13));
    view.choose(editor, Control::AlignmentList, "Right");
    editor.clicked(Control::FillButton);
    editor.save();
    editor.ok();

    const ConfigEditorResult &result = editor.result();
    ASSERT_TRUE(result.accepted);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.currentSetName, "edited");
    EXPECT_TRUE(result.setList.contains("edited"));
    EXPECT_EQ(result.set.carrierId, "1000");
    EXPECT_EQ(hexAt(1), "30");
    EXPECT_EQ(hexAt(3), "31");
    EXPECT_EQ(hexAt(12), "5A");
    EXPECT_EQ(result.set.alignment, "Right");

    EXPECT_EQ(loadParameterSet(dir.path(), "edited"), result.set);
}

TEST_F(ConfigEditorTest, AMissingSetFileKeepsWhatTheMainWindowHandedIn)
{
    ConfigEditorInput in = input("unsaved", "5");
    in.useCsvFile = true;
    in.csvFileName = "/data/ids.csv";
    in.logEnabled = true;
    in.recordFileName = "/data/ids.xml";
    in.counterPage = "4";
    CAutoDlg &editor = open(in);
    EXPECT_TRUE(editor.set().useCsvFile);
    EXPECT_EQ(view.text(Control::CsvFileDisplay), "/data/ids.csv");
    EXPECT_EQ(view.text(Control::CounterPageList), "4");
    EXPECT_TRUE(view.isOn(Control::LogSwitch));
    EXPECT_TRUE(view.messages.empty());
}

class UnsavedNameTest : public ConfigEditorTest, public testing::WithParamInterface<MessageAnswer> {};

// "OK" never hands back a name that has no file and no list entry: Yes saves it first, No keeps the
// main window's set.
TEST_P(UnsavedNameTest, OkAsksToSaveANewName)
{
    const bool yes = GetParam() == MessageAnswer::Yes;
    CAutoDlg &editor = openStored(decimalSet("job", "0", "4"));
    view.type(Control::NameList, "fresh");
    view.answers = {GetParam()};
    editor.ok();
    ASSERT_FALSE(view.messages.empty());
    EXPECT_EQ(view.messages[0], (MessageRequest{std::string(unsavedNameQuestion), "Tag Encoder Bench",
                                                MessageIcon::Question, MessageButtons::YesNo}));
    EXPECT_EQ(view.endResult, yes ? DialogResult::Ok : DialogResult::Cancel);
    EXPECT_EQ(editor.result().accepted, yes);
    EXPECT_EQ(editor.result().setList.contains("fresh"), yes);
    EXPECT_EQ(std::filesystem::exists(setFilePath(dir.path(), "fresh")), yes);
    if (yes) {
        EXPECT_EQ(editor.result().currentSetName, "fresh");
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, UnsavedNameTest, testing::Values(MessageAnswer::Yes, MessageAnswer::No),
                         [](const auto &info) { return std::string(info.param == MessageAnswer::Yes ? "Yes" : "No"); });

// A working folder without any set, as the main window hands it over: the form starts from a set that a
// new user can save as it stands.
TEST_F(ConfigEditorTest, AFolderWithoutSetsStartsFromASetThatCanBeSaved)
{
    ConfigEditorInput in;
    in.workingDirectory = dir.path();
    CAutoDlg &editor = open(in);
    EXPECT_TRUE(view.isOn(Control::DecimalCounterSwitch));
    EXPECT_EQ(view.text(Control::CarrierId), "00000001");
    EXPECT_EQ(view.text(hexCell(7)), "31");

    editor.save();  // without a name: refused, and it says why
    EXPECT_EQ(view.messageTexts(), std::vector<std::string>{std::string(invalidSetNameMessage)});
    view.type(Control::NameList, "first");
    editor.save();
    editor.ok();
    EXPECT_EQ(view.messages.size(), 1u);
    ASSERT_TRUE(editor.result().accepted);
    EXPECT_EQ(loadParameterSet(dir.path(), "first"), editor.result().set);
}

// A set file without lists or bytes shows "None" in both lists and 00 bytes.
TEST_F(ConfigEditorTest, ASetFileWithoutListValuesShowsNone)
{
    ParameterSet set = decimalSet("job", "0", "4");
    set.counterPage.clear();
    set.alignment = "Middle";
    set.pages[1].hex.fill("");
    openStored(set, "17");
    EXPECT_EQ(view.text(Control::CounterPageList), "None");
    EXPECT_EQ(view.text(Control::AlignmentList), "None");
    EXPECT_EQ(view.text(hexCell(12)), "00");
}

// The "Transponder memory" picture is drawn from the set, and follows its fields while they are typed.
TEST_F(ConfigEditorTest, TheMemoryPictureShowsTheSetsCarrierIdCounterPageAndLocks)
{
    ParameterSet set = csvSet("4", "8", "2");  // carrier ID in bytes 12 .. 19
    set.counterPage = "5";
    set.pages[0].locked = true;
    CAutoDlg &editor = openStored(set);
    const auto cellsAre = [&](MemoryCell cell, int first, int last) {
        for (int byte = first; byte <= last; ++byte) {
            EXPECT_EQ(view.memoryMap->cell(byte), cell) << byte;
        }
    };
    ASSERT_TRUE(view.memoryMap);
    cellsAre(MemoryCell::FixedData, 0, 11);
    cellsAre(MemoryCell::CarrierId, 12, 19);
    cellsAre(MemoryCell::Data, 20, 31);
    cellsAre(MemoryCell::Counter, 32, 39);
    EXPECT_TRUE(view.memoryMap->locked[0]);
    EXPECT_FALSE(view.memoryMap->locked[1]);

    view.type(Control::MemoryPage, "4");  // typed, not yet confirmed
    editor.fieldEdited(Control::MemoryPage);
    cellsAre(MemoryCell::FixedData, 12, 15);
    cellsAre(MemoryCell::CarrierId, 28, 31);
    cellsAre(MemoryCell::Clash, 32, 35);

    view.choose(editor, Control::CounterPageList, "None");
    cellsAre(MemoryCell::CarrierId, 32, 35);
    cellsAre(MemoryCell::Data, 36, 39);
    editor.clicked(Control::LockPage2Switch);
    EXPECT_TRUE(view.memoryMap->locked[1]);
}

TEST_F(ConfigEditorTest, CancelHandsNothingBackButKeepsFilesWritten)
{
    store(decimalSet("job", "0", "4"));
    FakeConfigView &fake = view;
    fake.answers = {MessageAnswer::Yes};
    fake.operatorActions = [](CAutoDlg &editor, FakeConfigView &v) {
        v.type(Control::Quantity, "77");
        editor.save();
        editor.cancel();
    };
    CAutoDlg editor(input("job"));
    EXPECT_EQ(editor.run(fake), DialogResult::Cancel);
    const ConfigEditorResult &result = editor.result();
    EXPECT_FALSE(result.accepted);
    EXPECT_TRUE(result.savePressed);
    EXPECT_EQ(result.set, ParameterSet{});
    EXPECT_EQ(loadParameterSet(dir.path(), "job").quantity, "77");
}

} // namespace
} // namespace teb
