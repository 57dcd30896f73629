// The page boxes: Enter in a box, and what each mode lets the operator edit.
#include "windows/main/cqv58_dlg_fixture.h"

namespace teb::test {
namespace {

using ::testing::ElementsAre;

// Enter in a page box: the text is laid out for the set's alignment and
// coloured green, or red with the format's message.
TEST_F(MainWindowTest, EnterInAPageBoxLaysOutTheTextColoursItAndWarnsInItsFormat)
{
    const std::string hexMessage = "change P17 to a length of 16 printable hexadecimal characters "
                                   "(20,21,22,...,7D,7E) with spaces in between";
    const std::string asciiMessage =
        "change P4 to a length of 8 characters with spaces in between; 'NUL' is 0x00 in ASCII format";
    const struct {
        int page;
        bool ascii;
        const char *alignment, *typed, *shown;
        std::string message; // empty for a valid text
    } entries[] = {
        {1, false, "Right", "3031", "00 00 00 00 00 00 30 31", ""},
        {17, false, "None", "3031", "3031", hexMessage},
        {9, true, "Left", "abc", "a b c NUL NUL NUL NUL NUL", ""},
        {4, true, "None", "abc", "abc", asciiMessage},
    };
    for (const auto &entry : entries) {
        SCOPED_TRACE(std::string(entry.ascii ? "ASCII " : "HEX ") + entry.alignment);
        writeSettings(iniLines({"[Data]", std::string("Format=") + (entry.ascii ? "1" : "0"), "[Auto]",
                                "Pruefablauf_ist=aligned"}));
        writeSetFile("aligned", iniLines({"[Pages 3-17]", std::string("Alignment=") + entry.alignment}));
        CQV58Dlg &w = start();
        dialogs.messages.clear();
        view.setText(pageBox(entry.page), entry.typed);

        w.enterPressed(pageBox(entry.page));

        EXPECT_EQ(shown(pageBox(entry.page)), entry.shown);
        const bool valid = entry.message.empty();
        EXPECT_EQ(view.control(pageBox(entry.page)).background, valid ? colour::Green : colour::Red);
        if (valid)
            EXPECT_TRUE(dialogs.messages.empty());
        else
            EXPECT_THAT(dialogs.messages, ElementsAre(MessageRequest{entry.message, "Tag Encoder Bench",
                                                                  MessageIcon::Warning, MessageButtons::Ok}));
    }
}

TEST_F(MainWindowTest, AutomaticShowsTheSetGreysWhatItKeepsAndManualKeepsTheTexts)
{
    writeSettings(iniLines({"[Auto]", "SelectConfig=1", "Pruefablauf_ist=Job", "[Data]", "Format=1", "SelectP1=1",
                            "P3=typed 3"}));
    writeSetFile("Job", setFile(true, "Decimal counter"));
    CQV58Dlg &w = start();
    EXPECT_TRUE(w.parts().pages.state().automaticMode);
    EXPECT_EQ(shown(pageBox(1)), "0 1 2 3 4 5 6 7"); // the set's texts in the format shown
    EXPECT_EQ(shown(pageBox(3)), "NUL NUL NUL NUL NUL NUL NUL NUL");
    EXPECT_EQ(shown(Control::NextBox), "1000");
    // pages 3 .. 17 and "all" follow the set; pages 1 and 2 keep their state
    EXPECT_TRUE(view.isChecked(pageSelectBox(1)) && view.isChecked(pageSelectBox(17)));
    EXPECT_TRUE(view.isChecked(Control::SelectAll) && !view.isChecked(pageSelectBox(2)));
    for (int page = 1; page <= 17; ++page) {
        SCOPED_TRACE(page);
        const FakeControl &box = view.control(pageBox(page));
        EXPECT_EQ(box.enabled, page <= 2);
        EXPECT_FALSE(view.control(pageSelectBox(page)).enabled);
    }
    EXPECT_FALSE(view.control(Control::ReadButton).visible || view.control(Control::ReadButton).enabled);

    view.setText(pageBox(1), "typed 1");
    w.clicked(Control::ManualSwitch);
    EXPECT_FALSE(w.parts().pages.state().automaticMode);
    EXPECT_EQ(shown(pageBox(1)), "typed 1");
    EXPECT_EQ(shown(pageBox(2)), "A B C D E F G H");
    EXPECT_FALSE(view.control(Control::OneButton).visible);
    EXPECT_TRUE(view.control(pageBox(17)).enabled && view.control(pageSelectBox(17)).enabled);

    w.clicked(Control::AutomaticSwitch); // the typed text is lost
    EXPECT_EQ(shown(pageBox(1)), "0 1 2 3 4 5 6 7");
}

TEST_F(MainWindowTest, ASetThatWritesNoPages3To17UnticksThem)
{
    writeSettings(iniLines({"[Auto]", "SelectConfig=0", "Pruefablauf_ist=Job", "[Data]", "SelectP5=1"}));
    writeSetFile("Job", setFile(false, "Decimal counter"));
    CQV58Dlg &w = start();
    ASSERT_TRUE(w.parts().pages.state().pageSelected[pageIndex(5)]);
    click(Control::AutomaticSwitch);
    EXPECT_FALSE(w.parts().pages.state().pageSelected[pageIndex(5)]);
}

} // namespace
} // namespace teb::test
