// The manual group through the main window against the simulated reader:
// buttons, colours and the manual log.
#include "windows/main/cqv58_dlg_fixture.h"

#include "support/xml_check.h"

namespace teb::test {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class ManualGroup : public MainWindowTest {
protected:
    // The simulated reader answers at once; "TOR" 8 gives waits of 0.4 s and more.
    // The set "manual" is current: page 1 editable and locked, then `setLines`;
    // `settingsLines` follow the settings file's own.
    void startWithReader(std::vector<std::string> options = {}, const std::vector<std::string> &settingsLines = {},
                         const std::vector<std::string> &setLines = {})
    {
        options.insert(options.end(), {"--tor", "8", "--page", "1=3031323334353637", "--page", "2=4142434445464748"});
        simulator = std::make_unique<ReaderSimulator>(dir.path(), options, "COM7");
        ASSERT_TRUE(simulator->ready());
        writeSettings(iniLines({"[Interface]", "port=COM7", "baudrate=115200", "databits=8", "[Auto]",
                                "Pruefablauf_ist=manual"}) + iniLines(settingsLines));
        writeSetFile("manual", iniLines({"[Page 1]", "Edit Page 1=1", "Lock Page 1=1"}) + iniLines(setLines));
        start();
        ASSERT_TRUE(window->parts().link.state().portOpen);
    }

    // A carrier ID typed in ASCII format at an offset and length of the pages.
    void typeAsciiCarrierId(const std::string &offset, const std::string &length, const std::string &carrierId)
    {
        click(Control::AsciiSwitch);
        view.setText(Control::ManualCarrierIdOffsetBox, offset);
        view.setText(Control::ManualCarrierIdLengthBox, length);
        view.setText(Control::ManualCarrierIdBox, carrierId);
    }

    void select(std::initializer_list<int> pages)
    {
        for (int page = 1; page <= kPageCount; ++page)
            view.setChecked(pageSelectBox(page), std::find(pages.begin(), pages.end(), page) != pages.end());
    }

    // The settings lines of a manual log into `name`, switched on.
    std::vector<std::string> logTo(const std::string &name) const
    {
        return {"[Manual]", "Log=1", "file name=" + (dir / name).string()};
    }

    std::unique_ptr<ReaderSimulator> simulator;
};

TEST_F(ManualGroup, WriteColoursEachPageAndLogsOnlyThePagesWritten)
{
    startWithReader({"--lock", "3"}, logTo("manual.xml"));
    select({1, 2, 3, 4});
    for (int page = 1; page <= 4; ++page)
        view.setText(pageBox(page), "0" + std::to_string(page) + " 11 22 33 44 55 66 77");
    window->clicked(Control::WriteButton);

    const Rgb colours[] = {colour::Green, colour::Green, colour::Red, colour::White};
    for (int page = 1; page <= 4; ++page)
        EXPECT_EQ(view.control(pageBox(page)).background, colours[page - 1]) << page;
    EXPECT_EQ(window->parts().run.errorCount, 1);

    const std::string log = readFileBytes(dir / "manual.xml");
    EXPECT_EQ(xmlFaults(dir / "manual.xml"), "");
    const std::string cell = R"(    <Cell><Data ss:Type="String">)";
    EXPECT_NE(log.find(cell + "01 11 22 33 44 55 66 77</Data></Cell>\r\n" + cell + "X</Data></Cell>"), std::string::npos);
    EXPECT_NE(log.find(cell + "02 11 22 33 44 55 66 77</Data></Cell>\r\n" + cell + "</Data></Cell>"), std::string::npos);
    EXPECT_EQ(log.find("03 11 22"), std::string::npos);
    EXPECT_EQ(log.find("04 11 22"), std::string::npos);
}

TEST_F(ManualGroup, EveryReadIsLoggedWithItsOwnHeaderAndAnUnwritableLogIsReported)
{
    startWithReader({}, logTo("manual.xml"));
    select({1, 2});
    window->clicked(Control::ReadButton);
    window->clicked(Control::ReadButton);
    EXPECT_EQ(view.text(Control::PageBox2), "41 42 43 44 45 46 47 48");
    const std::string log = readFileBytes(dir / "manual.xml");
    EXPECT_EQ(xmlFaults(dir / "manual.xml"), "");
    const std::string readRow = R"(<Cell ss:Index="1"><Data ss:Type="String">Read</Data></Cell>)";
    EXPECT_NE(log.find(readRow), log.rfind(readRow));
    EXPECT_NE(log.find(R"(<Data ss:Type="String">A B C D E F G H</Data>)"), std::string::npos);
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.fileAnswers.push_back(dir / "missing" / "manual.xml"); // "Open" names a log in no folder
    window->clicked(Control::OpenButton);
    window->clicked(Control::ReadButton);
    EXPECT_THAT(dialogs.messageTexts(), ElementsAre("Protocol file can't be opened.\r\nDoes the protocol path exist?\r\n"
                                                    "Do you have writing authorisation on the path?"));
}

TEST_F(ManualGroup, CarrierIdIsWrittenReadBackAndItsLengthCheckedWhenTheBoxIsLeft)
{
    startWithReader();
    typeAsciiCarrierId("2", "3", "ABC");
    window->clicked(Control::WriteCarrierIdButton);
    EXPECT_EQ(view.control(Control::ManualCarrierIdBox).background, colour::Green);
    EXPECT_EQ(view.text(Control::ManualCarrierIdBox), "ABC");
    EXPECT_EQ(view.text(Control::PageBox1), "0 1 A B C 5 6 7");
    EXPECT_EQ(simulator->receivedLines().back(), "RD 1");

    window->focusLost(Control::ManualCarrierIdBox); // left as it was: the green still holds
    EXPECT_EQ(view.control(Control::ManualCarrierIdBox).background, colour::Green);
    EXPECT_TRUE(dialogs.messages.empty());

    view.setText(Control::ManualCarrierIdBox, "AB");
    window->focusLost(Control::ManualCarrierIdBox);
    EXPECT_THAT(dialogs.messageTexts(), ElementsAre("change Carrier ID to a length of 3 characters"));
    EXPECT_EQ(view.text(Control::ManualCarrierIdBox), "AB");
    EXPECT_EQ(view.control(Control::ManualCarrierIdBox).background, colour::White); // no longer what was written

    window->clicked(Control::ReadCarrierIdButton);
    EXPECT_EQ(view.text(Control::ManualCarrierIdBox), "ABC");
    EXPECT_EQ(view.control(Control::ManualCarrierIdBox).background, colour::Green);
    view.setText(Control::ManualCarrierIdLengthBox, "4");
    window->focusLost(Control::ManualCarrierIdLengthBox); // another run of bytes than the one read
    EXPECT_EQ(view.control(Control::ManualCarrierIdBox).background, colour::White);
}

// A carrier ID that the journal holds for another transponder is written only
// after a Yes (No is the default); a write made is journalled with the UID.
TEST_F(ManualGroup, ACarrierIdHeldByAnotherTransponderIsWrittenOnlyWhenConfirmed)
{
    startWithReader({"--uid", "E0040177"});
    typeAsciiCarrierId("0", "3", "ABC");
    const JournalEntry other = window->parts().job.state().journal->reserve(counterEntry("ABC", "E0040100"));
    window->parts().job.state().journal->finish(other.id, CycleState::Programmed);
    dialogs.messages.clear();

    window->clicked(Control::WriteCarrierIdButton); // answered No
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(dialogs.messages[0].defaultNo);
    EXPECT_THAT(dialogs.messages[0].text,
                AllOf(HasSubstr("Carrier ID ABC is already on transponder E0040100"), HasSubstr("(UID E0040177)")));
    for (const std::string &line : simulator->receivedLines())
        EXPECT_NE(line.rfind("WD", 0), 0u) << line;

    dialogs.messageAnswers = {MessageAnswer::Yes};
    window->clicked(Control::WriteCarrierIdButton);
    EXPECT_EQ(view.control(Control::ManualCarrierIdBox).background, colour::Green);
    const auto manual = window->parts().job.state().journal->programmedFor("E0040177");
    ASSERT_TRUE(manual);
    EXPECT_EQ(manual->carrierId, "ABC");
    EXPECT_EQ(manual->source, "manual");
    EXPECT_EQ(window->parts().job.state().journal->holderOf("ABC")->uid, "E0040100"); // still the first one's

    dialogs.messages.clear(); // the same transponder again: nothing to ask
    view.setText(Control::ManualCarrierIdBox, "XYZ");
    window->clicked(Control::WriteCarrierIdButton);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window->parts().job.state().journal->holderOf("XYZ")->uid, "E0040177");
}

// "write carrier ID" goes the way of a cycle: reserved with the UID before
// the first write, concluded by the read-back. A lost answer leaves the ID
// held (the pages may hold it); without a journal nothing is written.
TEST_F(ManualGroup, AManualCarrierIdIsReservedBeforeItsWriteAndConcludedByTheReadBack)
{
    startWithReader({"--uid", "E0040177", "--fault", "answer-lost", "--fault-on", "WD 2", "--fault-count", "1"});
    typeAsciiCarrierId("4", "8", "00000042");
    window->clicked(Control::WriteCarrierIdButton);
    EXPECT_EQ(view.control(Control::ManualCarrierIdBox).background, colour::Red);
    const auto held = window->parts().job.state().journal->holderOf("00000042");
    ASSERT_TRUE(held);
    EXPECT_EQ(held->uid, "E0040177");
    EXPECT_EQ(held->state, CycleState::Uncertain);
    EXPECT_EQ(held->pagesHex.substr(0, 33), "3031323330303030,3030343245464748");

    view.setText(Control::ManualCarrierIdBox, "00000043");
    window->clicked(Control::WriteCarrierIdButton);
    EXPECT_EQ(window->parts().job.state().journal->holderOf("00000043")->state, CycleState::Programmed);

    window->destroy(); // the journal's place taken by a folder: no journal, no write
    std::filesystem::remove(journalFilePath(dir.path()));
    std::filesystem::create_directory(journalFilePath(dir.path()));
    const std::size_t linesBefore = simulator->receivedLines().size();
    start();
    dialogs.messages.clear();
    view.setText(Control::ManualCarrierIdBox, "00000044");
    window->clicked(Control::WriteCarrierIdButton);
    EXPECT_THAT(dialogs.messageTexts(), ElementsAre(HasSubstr("No transponder is programmed until the journal can be used.")));
    for (std::size_t i = linesBefore; i < simulator->receivedLines().size(); ++i)
        EXPECT_NE(simulator->receivedLines()[i].rfind("WD", 0), 0u) << simulator->receivedLines()[i];
}

TEST_F(ManualGroup, UidLockAndDefaultContent)
{
    startWithReader({"--family", "orvex", "--uid", "0A0B0C0D"}, {"[Data]", "P5Default=01 02 03 04 05 06 07 08"},
                    {"[Transponder type]", "TI=1"}); // the set programs TI transponders
    window->clicked(Control::DefaultMemoryButton);
    EXPECT_EQ(view.text(Control::PageBox5), "01 02 03 04 05 06 07 08");
    window->clicked(Control::ReadUidButton);
    EXPECT_EQ(view.text(Control::UidBox), "0A0B0C0D");
    EXPECT_EQ(view.control(Control::UidBox).background, colour::Green);

    // Automatic mode locks only what the set locks (page 1).
    click(Control::AutomaticSwitch);
    select({1, 2});
    window->clicked(Control::LockButton);
    EXPECT_EQ(window->parts().run.errorCount, 0);
    EXPECT_EQ(std::ranges::count(simulator->receivedLines(), "LD 1"), 1);
    EXPECT_EQ(std::ranges::count(simulator->receivedLines(), "LD 2"), 0);

    // In automatic mode the job's family alone decides on the UID step.
    view.setChecked(Control::OrvexSwitch, true);
    view.setChecked(Control::TiSwitch, false);
    view.setText(Control::PageBox1, "01 02 03 04 05 06 07 08");
    select({1});
    window->clicked(Control::WriteButton);
    const auto afterWrite = simulator->receivedLines();
    EXPECT_EQ(std::vector(afterWrite.end() - 2, afterWrite.end()),
              (std::vector<std::string>{"TOR", "WD 1 0102030405060708"}));
}

} // namespace
} // namespace teb::test
