// "One" in the station against the simulated reader, end to end: the data
// sources over several cycles, Stop, the close box and "Cont On", a lost
// reader, and what a restart goes on from. The rules of each step are the
// cycle's, the window's and the journal's own tests.
#include "windows/config/config_control.h"
#include "windows/main/station_status.h"

#include "windows/main/cqv58_dlg_fixture.h"
#include "support/automatic_job.h"
#include "support/fake_cauto_dlg_view.h"
#include "support/fake_journal_view.h"
#include "support/xml_check.h"

#include <sys/stat.h>

namespace teb::test {
namespace {

// The station in automatic mode on the simulated reader "COM7" in its
// working directory, the set "job" (automaticJob() unless a test writes
// another) current and every page selected.
class AutomaticStationTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        useReader({});
        writeJob(automaticJob());
    }

    // The simulated Orvex reader, with further options.
    void useReader(std::vector<std::string> options)
    {
        options.insert(options.begin(), {"--family", "orvex"});
        simulator.reset(); // its link goes before the next one is made
        simulator = std::make_unique<ReaderSimulator>(dir.path(), options, "COM7");
        ASSERT_TRUE(simulator->ready());
    }

    void writeJob(const ParameterSet &set) { writeAutomaticStation(dir.path(), set, "1000"); }

    // A new transponder on the antenna, then "One" and the cycle's tick.
    void programOne()
    {
        simulator->newTransponder();
        pressOne();
    }
    // Whether the port is open, once the slow tick has seen it so.
    bool portBecomes(bool open)
    {
        return eventually([&] {
            window->tick(kRequestTimerId);
            return window->parts().link.state().portOpen == open;
        });
    }

    // The operator acts once while the cycle waits for the answer to the write of `page`.
    void whenWritingPage(int page, std::function<void()> act)
    {
        view.whileWaiting = [this, page, act, done = false]() mutable {
            if (!done && window->parts().terminal.state().terminalText.find("// Write page " + std::to_string(page)) != std::string::npos) {
                done = true;
                act();
            }
        };
    }

    // "Config" run by the operator's actions on its own fake view.
    void runConfig(std::function<DialogResult(CAutoDlg &, FakeCAutoDlgView &)> actions)
    {
        FakeCAutoDlgView configView;
        dialogs.configDialog = [&](CAutoDlg &editor) {
            editor.open(configView);
            return actions(editor, configView);
        };
        window->menuCommand(MenuItem::Config);
    }

    // The page data the reader was told to write to a page, in order.
    std::vector<std::string> writesOfPage(int page) const
    {
        const std::string prefix = "WD " + std::to_string(page) + " ";
        std::vector<std::string> data;
        for (const std::string &line : simulator->receivedLines())
            if (line.rfind(prefix, 0) == 0)
                data.push_back(line.substr(prefix.size()));
        return data;
    }

    std::unique_ptr<ReaderSimulator> simulator;
};

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kQuantityReached = "Quantity reached.";

// The decimal counter up to its bound. "Config", a Save of the set's start
// values and then "Cancel": the station goes on with what it had; a restart
// starts from the saved values, but never on an ID that a transponder holds.
TEST_F(AutomaticStationTest, DecimalCounterProgramsUpToItsBoundAndNeverIssuesAProgrammedIdAgain)
{
    ParameterSet set = automaticJob();
    set.carrierIdLength = "2";
    set.carrierId = "96";
    writeJob(set);
    start();
    programOne();
    EXPECT_EQ(window->parts().link.state().timeBase, 10 * 13); // T from the reader's "TOR" answer, for the read-back that ends a cycle
    programOne();
    runConfig([](CAutoDlg &editor, FakeCAutoDlgView &configView) {
        configView.setText(ConfigControl::CarrierId, "96"); // back to the start of the order
        editor.takeFromControls();
        configView.answers = {MessageAnswer::Yes};
        editor.save();
        editor.clicked(ConfigControl::CancelButton);
        return DialogResult::Cancel;
    });
    EXPECT_EQ(window->parts().job.state().nextCarrierId, "98");
    window->destroy();
    start();
    EXPECT_EQ(window->parts().job.state().nextCarrierId, "98");
    programOne();
    programOne();
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messageTexts().at(0);
    programOne();
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{kQuantityReached});

    std::vector<std::string> written;
    for (const char *id : {"96", "97", "98", "99"})
        written.push_back(hexOf(std::string(id) + std::string(6, '\0')));
    EXPECT_EQ(writesOfPage(1), written);
    EXPECT_EQ(shown(Control::NextBox), "100");
    EXPECT_EQ(recordsOf(dir / "records.xml", "E0040"), 4u);
    EXPECT_EQ(xmlFaults(dir / "records.xml"), "");
}

// An Orvex transponder swapped between its writes and its locks: the locks
// go to the other one, the read-back sees its UID, and the cycle FAILs with
// the carrier ID held for the first; put back, the first is finished.
TEST_F(AutomaticStationTest, ATransponderSwappedDuringTheCycleIsNeverJournalledAsProgrammed)
{
    useReader({"--swap-after", "WD 17", "--swap-count", "1"});
    start();
    programOne();
    ASSERT_TRUE(window->parts().result.last());
    EXPECT_FALSE(window->parts().result.last()->passed);
    EXPECT_EQ(window->parts().result.last()->reason, "the transponder was changed during the cycle");
    const auto open = window->parts().job.state().journal->unfinished();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].state, CycleState::Uncertain);
    EXPECT_FALSE(window->parts().job.state().journal->programmedFor(open[0].uid));

    simulator->putBackTransponder(); // the first transponder, as it was left: written, not locked
    pressOne();
    EXPECT_TRUE(window->parts().result.last()->passed) << window->parts().result.last()->reason;
    EXPECT_EQ(window->parts().job.state().journal->programmedFor(open[0].uid)->carrierId, open[0].carrierId);
}

// A lock whose answer was lost leaves its transponder uncertain (the cycle
// FAILs); the journal window's "Check transponder" reads the transponder on
// the antenna and finishes its cycle from what it holds.
TEST_F(AutomaticStationTest, CheckTransponderFinishesTheCycleOfTheTransponderOnTheAntenna)
{
    useReader({"--fault", "answer-lost", "--fault-on", "LD 5", "--fault-count", "1"});
    start();
    programOne();
    ASSERT_TRUE(window->parts().result.last());
    EXPECT_FALSE(window->parts().result.last()->passed);
    ASSERT_EQ(window->parts().job.state().journal->unfinished().size(), 1u);
    const std::size_t written = writesOfPage(1).size();

    FakeJournalView journalWindow;
    dialogs.journalDialog = [&](CJournalDlg &history) {
        history.open(journalWindow);
        history.checkTransponderClicked();
    };
    window->menuCommand(MenuItem::FileJournal);
    EXPECT_THAT(journalWindow.messages, ElementsAre(HasSubstr("its cycle is finished, programmed.")));
    EXPECT_TRUE(window->parts().job.state().journal->unfinished().empty());
    EXPECT_EQ(writesOfPage(1).size(), written); // it held its pages: only the locks were sent again
}

// The adapter pulled and plugged in again: the station closes the port and
// says so, and opens it again by itself once the same reader is back. A cycle
// run before the loss was noticed fails and issues nothing; the next "One"
// after the return programs the next carrier ID, without a restart.
TEST_F(AutomaticStationTest, ALostReaderIsClosedAndOpenedAgainOnceItIsBack)
{
    ParameterSet set = automaticJob();
    set.carrierId = "42";
    writeJob(set);
    CQV58Dlg &w = start();
    programOne();
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messageTexts().at(0);

    simulator->kill(); // the line hangs up
    programOne();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    dialogs.messages.clear();
    EXPECT_TRUE(portBecomes(false));
    EXPECT_THAT(dialogs.messageTexts(), ElementsAre(StartsWith("COM7 was lost: the adapter was unplugged")));

    useReader({"--uid", "E0047700"}); // plugged in again: a new reader on the same link
    EXPECT_TRUE(portBecomes(true)) << "not opened again";
    EXPECT_THAT(w.parts().terminal.state().terminalText, StartsWith("(COM7 opened again)\r\n"));

    programOne();
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messageTexts().at(0);
    EXPECT_EQ(writesOfPage(2), std::vector<std::string>{hexOf("00000043")});
    EXPECT_EQ(w.parts().job.state().journal->holderOf("0000000000000043")->state, CycleState::Programmed);
}

// Every "One" ends in its own PASS or FAIL: after a PASS the reader goes
// away; "One" takes the PASS down at once, says that the port is closed
// (never that the last transponder, whose UID the box still shows, is
// programmed already) and ends in FAIL with that reason.
TEST_F(AutomaticStationTest, EveryOneEndsInItsOwnVerdict)
{
    start();
    programOne();
    ASSERT_EQ(shown(Control::ResultVerdict), "PASS");

    simulator->kill();
    EXPECT_TRUE(portBecomes(false));
    dialogs.messages.clear();
    window->tick(kCycleTimerId);
    click(Control::OneButton);
    EXPECT_FALSE(view.control(Control::ResultVerdict).visible);
    window->tick(kCycleTimerId);
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{portClosedText("COM7")});
    EXPECT_TRUE(view.control(Control::ResultVerdict).visible);
    EXPECT_EQ(shown(Control::ResultVerdict), "FAIL");
    EXPECT_EQ(shown(Control::ResultReason), "the port is closed; nothing was sent");
    EXPECT_EQ(shown(Control::ResultIdentity), "");
}

// While a cycle waits for the reader the window's events run: the operator's
// clicks on other buttons are dropped, and "Stop" ends the cycle after its
// running transaction. The stopped cycle is a failed one: its message, FAIL
// with the reason, its carrier ID held as uncertain. The next "One" runs as
// always; the close box during it ends the window the same way, without a
// box, and closes the port.
TEST_F(AutomaticStationTest, StopOrTheCloseBoxEndsTheCycleAfterItsRunningTransaction)
{
    useReader({"--delay", "20"});
    CQV58Dlg &w = start();
    whenWritingPage(3, [&] {
        click(Control::ReadButton);
        click(Control::OneButton);
        click(Control::StopButton);
    });
    programOne();
    EXPECT_EQ(writesOfPage(3).size(), 1u);
    EXPECT_TRUE(writesOfPage(4).empty());
    for (const std::string &line : simulator->receivedLines())
        EXPECT_FALSE(line.starts_with("RD") || line.starts_with("LD")) << line;
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{"Error on writing the pages of the transponder."});
    EXPECT_EQ(shown(Control::ResultVerdict), "FAIL");
    EXPECT_EQ(shown(Control::ResultReason), "stopped by the operator");
    EXPECT_EQ(w.parts().job.state().journal->holderOf("0000000000000001")->state, CycleState::Uncertain);

    whenWritingPage(4, [&] { window->closeRequest(); });
    programOne();
    EXPECT_EQ(view.endResult, DialogResult::Cancel);
    EXPECT_FALSE(w.parts().link.state().portOpen);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messageTexts().at(0);
    EXPECT_EQ(writesOfPage(2), (std::vector<std::string>{hexOf("00000001"), hexOf("00000002")}));
    EXPECT_EQ(writesOfPage(4).size(), 1u);
    EXPECT_TRUE(writesOfPage(5).empty());
    EXPECT_EQ(w.parts().job.state().journal->holderOf("0000000000000002")->state, CycleState::Uncertain);
}

// Escape while the reader is awaited stops the cycle, not the window: the
// running wait (25 s here) is cut to its grace time.
TEST_F(AutomaticStationTest, EscapeCutsALongWaitShortAndKeepsTheWindow)
{
    useReader({"--tor", "255", "--fault", "no-answer", "--fault-on", "WD 1"});
    start();
    std::optional<std::chrono::steady_clock::time_point> escaped;
    whenWritingPage(1, [&] {
        window->escape();
        escaped = std::chrono::steady_clock::now();
    });
    programOne();
    ASSERT_TRUE(escaped);
    EXPECT_LT(std::chrono::steady_clock::now() - *escaped, kStopGrace + std::chrono::seconds(5));
    EXPECT_FALSE(view.endResult);
    EXPECT_EQ(shown(Control::ResultReason), "stopped by the operator");
}

// "Cont On": the reader is asked for a UID every 300 ms; each transponder put
// on the antenna is programmed once, one programmed before and put back is
// left alone, and the first failed cycle ends it.
TEST_F(AutomaticStationTest, ContOnProgramsEachNewTransponderOnceAndStopsOnAFailure)
{
    useReader({"--delay", "15"});
    CQV58Dlg &w = start();
    dialogs.messages.clear();
    click(Control::ContOnButton);
    const auto poll = [&] { w.tick(kContinuousTimerId); };
    poll();                            // E0040150 on the antenna: programmed
    poll();                            // still there
    simulator->newTransponder();       // E0040151
    poll();
    simulator->putBackTransponder();   // E0040150 again
    poll();
    poll();
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messageTexts().at(0);
    EXPECT_EQ(writesOfPage(1).size(), 2u);
    for (const auto &[uid, carrierId] : {std::pair("E0040150", "0000000000000001"),
                                         std::pair("E0040151", "0000000000000002")})
        EXPECT_EQ(w.parts().job.state().journal->programmedFor(uid)->carrierId, carrierId) << uid;

    simulator->newTransponder();       // E0040152: the reader goes away during its write
    whenWritingPage(3, [&] { simulator->kill(); });
    poll();
    EXPECT_FALSE(w.parts().continuous.on());
}

TEST_F(AutomaticStationTest, FixedDataStopsAtTheQuantity)
{
    ParameterSet set = automaticJob();
    set.useDecimalCounter = false;
    set.useFixData = true;
    set.quantity = "2";
    set.logEnabled = false;
    writeJob(set);
    start();
    programOne();
    programOne();
    programOne();
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{kQuantityReached});
    EXPECT_EQ(writesOfPage(1).size(), 2u);
}

// A programmed row whose "X" could not be written stays held by the journal
// across a restart and a "Config": it is never offered to another
// transponder, and its mark is made once the file can be written.
TEST_F(AutomaticStationTest, AProgrammedRowWithoutItsMarkIsNeverOfferedAgain)
{
    ParameterSet set = automaticJob();
    set.useDecimalCounter = false;
    set.useCsvFile = true;
    set.csvFileName = "ids.csv";
    set.carrierIdLength = "2";
    writeJob(set);
    const auto csv = dir / "ids.csv";
    writeFileBytes(csv, "Carrier ID,done\r\nA1,\r\nA2,\r\nA3,\r\n");
    start();
    ::chmod(csv.c_str(), 0444);
    programOne();
    EXPECT_THAT(dialogs.messageTexts(), ElementsAre(HasSubstr("could not be marked")));

    window->destroy();
    start();
    programOne(); // A2, not A1 again
    runConfig([](CAutoDlg &editor, FakeCAutoDlgView &) {
        editor.clicked(ConfigControl::OkButton);
        return DialogResult::Ok;
    });
    ::chmod(csv.c_str(), 0644);
    programOne(); // the missing marks are made, then A3
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messageTexts().at(0);
    EXPECT_EQ(readFileBytes(csv), "Carrier ID,done\r\nA1,X\r\nA2,X\r\nA3,X\r\n");
    EXPECT_EQ(writesOfPage(1).back(), hexOf(std::string("A3") + std::string(6, '\0')));
    EXPECT_EQ(recordsOf(dir / "records.xml", "E0040"), 3u);
}

// A pending mark that an earlier version left beside the sets is taken over
// once: its row is held as programmed and marked.
TEST_F(AutomaticStationTest, APendingMarkIsTakenOverIntoTheJournal)
{
    const auto csv = dir / "ids.csv";
    writeFileBytes(csv, "Carrier ID,done\r\nA1,\r\nA2,\r\n");
    const std::string csvName = csv.string();
    writeFileBytes(dir / "TagEncoderBench.pending", "Pending csv mark\nFormat: Simple\nLine: 1\nDelimiter: 1\n,\nFile: " +
                                                     std::to_string(csvName.size()) + "\n" + csvName + "\nRow: 3\nA1,\n");
    CQV58Dlg &w = start();
    EXPECT_FALSE(std::filesystem::exists(dir / "TagEncoderBench.pending"));
    EXPECT_EQ(w.parts().job.state().journal->holderOf("A1")->state, CycleState::Programmed);
    programOne();
    EXPECT_EQ(readFileBytes(csv), "Carrier ID,done\r\nA1,X\r\nA2,\r\n");
}

} // namespace
} // namespace teb::test
