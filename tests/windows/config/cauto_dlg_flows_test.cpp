// "Config" as the operator goes through it: choosing, saving, refusing and
// deleting sets, "OK" and "Cancel" and the lock switches.
#include "windows/config/cauto_dlg_fixture.h"

#include "transponder/byte_text.h"

#include <functional>

namespace teb {
namespace {

using namespace test;
using Control = ConfigControl;

// A set chosen in "Name" is loaded when its timer fires, with its own values;
// "Save" and "OK" first wait for a choice still pending.
TEST_F(ConfigEditorTest, ChoosingAnotherSetLoadsItsOwnValuesAfterItsTimer)
{
    ParameterSet second = decimalSet("second", "2", "4");
    second.carrierId = "0777";
    second.quantity = "10";
    store(decimalSet("first", "0", "4"));
    store(second);
    CAutoDlg &editor = open(input("first", "42"));
    view.choose(editor, Control::NameList, "second");
    EXPECT_EQ(editor.set().carrierId, "42"); // until the timer fires
    ASSERT_TRUE(view.fire(editor, ConfigTimer::NameChoice));
    EXPECT_EQ(hexAt(5), "37");

    view.choose(editor, Control::NameList, "first");
    view.answers = {MessageAnswer::Yes};
    editor.save();
    EXPECT_EQ(loadParameterSet(dir.path(), "first").quantity, "25"); // saved with its own values, not "second"'s
    editor.ok();
    EXPECT_EQ(editor.result().currentSetName, "first");
    EXPECT_EQ(editor.result().set.quantity, "25");
}

ParameterSet changed(ParameterSet set, const std::function<void(ParameterSet &)> &change)
{
    change(set);
    return set;
}

// "Save" and "OK" refuse a set that cannot be programmed and say why, in a
// message and in the note beside "Save".
TEST_F(ConfigEditorTest, SaveAndOkRefuseTheSetAndSayWhy)
{
    const struct {
        ParameterSet set;
        std::string carrierId, counterValue; // as the main window hands them in
        std::string_view message;
    } cases[] = {
        {changed(decimalSet("job", "0", "4"), [](auto &s) { s.quantity = "-5"; }), "17", "00000001",
         kNegativeQuantityMessage},
        {decimalSet("job", "0", "4"), "12AB", "00000001", kCarrierIdDigitsMessage},
        {changed(csvSet("0", "8", "3"), [](auto &s) { s.counterPage = "3"; }), "", "00000001", kCounterPageClashMessage},
        {changed(decimalSet("job", "0", "4"), [](auto &s) { s.counterPage = "5"; }), "17", "123456789", kCounterValueTooLongMessage},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
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
    }

    ParameterSet noSource = decimalSet("job", "0", "4");
    noSource.useDecimalCounter = false;
    CAutoDlg &editor = openStored(noSource);
    view.answers = {MessageAnswer::Yes};
    view.type(Control::Quantity, "50");
    editor.save();
    EXPECT_EQ(view.messageTexts(), std::vector<std::string>{std::string(kNoDataSourceMessage)});
    EXPECT_EQ(loadParameterSet(dir.path(), "job").quantity, "25");
}

// Choosing ".csv file" clears around the window on its own page only; the
// fixed data of pages 1 and 2 stays through "Save" and "OK" when it lies further on.
TEST_F(ConfigEditorTest, TheCsvSourceClearsAroundItsWindowOnItsOwnPageOnly)
{
    for (const auto &[memoryPage, hex] : {std::pair("2", "000000003030313700000000AAAAAAAA"),
                                          std::pair("3", "0000000030303137AAAAAAAAAAAAAAAA")}) {
        ParameterSet set = decimalSet("job", "4", "4");
        set.memoryPage = memoryPage;
        CAutoDlg &editor = openStored(set, "17"); // the decimal counter fills page 1: 00000000 30303137
        editor.clicked(Control::CsvFileSwitch);
        std::string shown;
        for (int byte = 0; byte < 16; ++byte)
            shown += hexAt(byte);
        EXPECT_EQ(shown, hex) << memoryPage;
    }

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

// Locking the carrier ID locks the pages it lies in, and the page switches
// follow it back.
TEST_F(ConfigEditorTest, LockSwitchesFollowEachOther)
{
    const struct {
        std::string offset, length;
        Control pressed;
        bool page1Before, page2Before, carrierBefore;
        bool page1After, page2After, carrierAfter;
    } cases[] = {
        {"6", "6", Control::LockCarrierIdSwitch, false, false, false, true, true, true},
        {"10", "4", Control::LockCarrierIdSwitch, false, false, false, false, true, true},
        {"2", "4", Control::LockPage1Switch, false, false, false, true, false, true},
        {"6", "6", Control::LockPage2Switch, true, true, true, true, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        ParameterSet set = decimalSet("job", c.offset, c.length);
        set.pages[0].locked = c.page1Before;
        set.pages[1].locked = c.page2Before;
        set.lockCarrierId = c.carrierBefore;
        CAutoDlg &editor = openStored(set);
        editor.clicked(c.pressed);
        EXPECT_EQ(editor.set().pages[0].locked, c.page1After);
        EXPECT_EQ(editor.set().pages[1].locked, c.page2After);
        EXPECT_EQ(view.isOn(Control::LockCarrierIdSwitch), c.carrierAfter);
    }
}

// "Save" says in its note what it did; "Delete" takes the name off the list
// and leaves the file.
TEST_F(ConfigEditorTest, SaveAddsANewNameAndDeleteRemovesItWithoutTouchingFiles)
{
    store(decimalSet("a", "0", "4"));
    store(decimalSet("b", "0", "4"));
    CAutoDlg &editor = open(input("a"));
    view.type(Control::NameList, "new");
    editor.save();
    EXPECT_EQ(view.text(Control::SaveNote), "Saved \"new\" in " + setFilePath(dir.path(), "new").string());
    EXPECT_EQ(view.control(Control::NameList).entries, (std::vector<std::string>{"a", "b", "new"}));

    view.type(Control::NameList, "b");
    editor.clicked(Control::DeleteButton);
    EXPECT_EQ(editor.setList().names(), (std::vector<std::string>{"a", "new"}));
    EXPECT_TRUE(std::filesystem::exists(setFilePath(dir.path(), "b")));

    std::filesystem::create_directory(dir / "locked.ini"); // cannot be read as a file
    view.messages.clear();
    view.type(Control::NameList, "locked");
    editor.save();
    EXPECT_EQ(view.messageTexts(), (std::vector<std::string>{std::string(kNoAccessMessage), std::string(kSaveErrorMessage)}));
    EXPECT_EQ(view.text(Control::SaveNote), "Not saved: no access to " + (dir / "locked.ini").string() + ".");
    EXPECT_FALSE(editor.setList().contains("locked"));
}

TEST_F(ConfigEditorTest, WithoutASetFileTheFormStartsFromASetThatCanBeSaved)
{
    ConfigEditorInput empty;
    empty.workingDirectory = dir.path();
    CAutoDlg &editor = open(empty);
    editor.save(); // without a name: refused, and it says why
    EXPECT_EQ(view.messageTexts(), std::vector<std::string>{std::string(kInvalidSetNameMessage)});
    view.type(Control::NameList, "first");
    editor.save();
    editor.ok();
    ASSERT_TRUE(editor.result().accepted);
    EXPECT_EQ(loadParameterSet(dir.path(), "first"), editor.result().set);
}

// "OK" never hands back a name that has no file and no list entry: Yes saves
// it first, No keeps the main window's set.
TEST_F(ConfigEditorTest, OkAsksToSaveANewName)
{
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        const bool yes = answer == MessageAnswer::Yes;
        const std::string name = yes ? "fresh" : "other";
        CAutoDlg &editor = openStored(decimalSet("job", "0", "4"));
        view.type(Control::NameList, name);
        view.answers = {answer};
        editor.ok();
        EXPECT_EQ(view.messageTexts(), std::vector<std::string>{std::string(kUnsavedNameQuestion)});
        EXPECT_EQ(view.endResult, yes ? DialogResult::Ok : DialogResult::Cancel);
        EXPECT_EQ(editor.result().setList.contains(name), yes);
        EXPECT_EQ(std::filesystem::exists(setFilePath(dir.path(), name)), yes);
    }
}

// Fixed data puts the same pages 1 and 2 on every tag: said once, at "Save"
// or else at "OK"; other sources say nothing.
TEST_F(ConfigEditorTest, FixedDataWarnsOnceThatEveryTagGetsTheSamePages1And2)
{
    ParameterSet fixed = decimalSet("job", "0", "4");
    fixed.useDecimalCounter = false;
    fixed.useFixData = true;
    const std::string warning(kFixedDataPagesWarning);

    CAutoDlg &saved = openStored(fixed);
    view.answers = {MessageAnswer::Yes};
    saved.save();
    saved.ok();
    EXPECT_EQ(view.messageTexts(), (std::vector<std::string>{std::string(kOverwriteQuestion), warning}));
    EXPECT_EQ(view.endResult, DialogResult::Ok);

    open(input("job")).ok();
    EXPECT_EQ(view.messageTexts(), std::vector<std::string>{warning});
    EXPECT_EQ(view.endResult, DialogResult::Ok);

    openStored(decimalSet("counted", "0", "4")).ok();
    EXPECT_TRUE(view.messageTexts().empty());
}

} // namespace
} // namespace teb
