#include "automatic/journal_station.h"
#include "csv_fixture.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace teb {
namespace {

const std::string kWrongId = "Wrong Carrier ID format.";

// The station around the cycle: a transponder for each UID that keeps what
// is written to it, scripted write and lock failures, and what the pages held
// when they were written.
class FakeStation : public JournalStation {
public:
    struct Tag {
        std::array<PageBytes, kPageCount> pages{}; // a new transponder holds zeros
        PageFlagArray locked{};
    };

    void notify(const Notice &notice) override { messages.emplace_back(notice.text); }
    std::optional<std::string> readUid() override
    {
        const std::optional<std::string> read = uid.empty() ? std::nullopt : std::optional(uid);
        if (!swapTo.empty()) // the operator swaps the transponder right after its UID was read
            uid = std::exchange(swapTo, {});
        return read;
    }
    PagesWritten writePages(const CycleOutcome &, const PageImage &image, const PageFlagArray &pages,
                            const std::string &) override
    {
        std::array<std::string, kPageCount> texts;
        for (int page = 1; page <= kPageCount; ++page)
            texts[index(page)] = pages[index(page)] ? hexPageText(image.cells.page(page)) : std::string();
        written.push_back(texts);
        if (writeErrors != 0)
            return PagesWritten{writeErrors, writeReachesTag, !writeReachesTag, 1, std::nullopt};
        Tag &tag = tags[uid];
        for (int page = 1; page <= kPageCount; ++page) {
            if (!pages[index(page)] || image.blank[index(page)])
                continue;
            if (tag.locked[index(page)]) // the reader refuses a locked page
                return PagesWritten{1, page > 1, true, page, std::nullopt};
            tag.pages[index(page)] = image.cells.page(page);
        }
        return PagesWritten{0, true, false, 0, std::nullopt};
    }
    int lockPages(const PageFlagArray &locked) override
    {
        ++locks;
        for (std::size_t i = 0; lockErrors == 0 && i < kPageCount; ++i)
            tags[uid].locked[i] = tags[uid].locked[i] || locked[i];
        return lockErrors;
    }
    TagReading readTransponder(const PageFlagArray &pages) override
    {
        ++readBacks;
        TagReading reading;
        if (uid.empty())
            return reading;
        reading.uid = uid;
        for (std::size_t i = 0; i < kPageCount; ++i) {
            if (pages[i])
                reading.pages[i] = tags[uid].pages[i];
        }
        if (corruptPage > 0 && pages[index(corruptPage)]) // a write the tag did not keep
            (*reading.pages[index(corruptPage)])[0] ^= 0xFF;
        return reading;
    }
    void finish(std::int64_t id, CycleState state) override
    {
        reachJournal();
        JournalStation::finish(id, state);
    }
    bool markCsvRow(const JournalEntry &entry) override
    {
        reachJournal();
        return JournalStation::markCsvRow(entry);
    }
    bool appendRecord(const CycleOutcome &) override
    {
        ++records;
        return recordOpens;
    }
    JournalEntry reserve(const JournalEntry &entry) override
    {
        ++reservations;
        return JournalStation::reserve(entry);
    }
    // Other stations may take every value the counter offers, and pages 1
    // and 2 between the choice and the reservation.
    FirstFreeReservation reserveFirstFree(const std::string &uid, const std::vector<JournalEntry> &offered) override
    {
        return JournalStation::reserveFirstFree(uid, pagesTakenMeanwhile ? std::vector<JournalEntry>{} : offered);
    }
    bool arePagesHeld(const std::string &pagesHex) override
    {
        return !pagesTakenMeanwhile && JournalStation::arePagesHeld(pagesHex);
    }
    std::uint64_t firstFreeNumber(std::uint64_t from, std::size_t length) override
    {
        return firstFree.value_or(JournalStation::firstFreeNumber(from, length));
    }
    CarrierIdJournal &journal() override { return *openJournal; }
    void show(const CycleOutcome &) override {}
    void enableAfterRecordFailure() override { ++recordFailureViews; }
    void clearPageResultColours() override {}

    static std::size_t index(int page) { return static_cast<std::size_t>(page - 1); }
    void reachJournal() const
    {
        if (journalGone)
            throw JournalError("The carrier-ID journal on the server host=db cannot be reached");
    }

    CarrierIdJournal *openJournal = nullptr;
    std::string uid = "UID00001"; // the transponder on the antenna
    std::string swapTo;
    std::map<std::string, Tag> tags;
    int writeErrors = 0;
    bool writeReachesTag = false; // a failed write: refused (false) or unanswered (true)
    int lockErrors = 0;
    int corruptPage = 0;
    bool journalGone = false;     // the confirmation and the mark cannot be written
    bool recordOpens = true;
    bool pagesTakenMeanwhile = false;
    std::vector<std::string> messages;
    std::vector<std::array<std::string, kPageCount>> written;
    int locks = 0, readBacks = 0, records = 0, recordFailureViews = 0, reservations = 0;
    std::optional<std::uint64_t> firstFree; // what the other stations leave free
};

class AutomaticCycle : public test::CsvSourceFixture, public ::testing::Test {
protected:
    AutomaticCycle()
    {
        set.useDecimalCounter = true;
        set.carrierIdLength = "16";
        set.logEnabled = true;
        pageSelected.fill(true);
    }
    // Each cycle meets a new transponder unless told otherwise; what it
    // decided is taken back as the window takes it.
    CycleOutcome cycle(bool sameTransponder = false)
    {
        if (!sameTransponder)
            station.uid = "UID" + std::to_string(++transponders);
        station.messages.clear();
        station.openJournal = journal.get();
        const CycleOutcome out = runAutomaticCycle(
            CycleInput{set, image(), pageSelected, cycleNumbersOf(set, carrierIdMax), file(), state,
                       CycleJournal{journal != nullptr, problem, "job", "", 0}},
            station);
        set = out.set;
        takePlaced(out.pages);
        nextCarrierId = out.nextCarrierId.value_or(nextCarrierId);
        state = out.csvState;
        return out;
    }
    std::string message() const { return station.messages.empty() ? std::string() : station.messages.front(); }
    std::string writtenPage(std::size_t write, int page) const
    {
        return station.written.at(write).at(static_cast<std::size_t>(page - 1));
    }

    std::array<bool, kPageCount> pageSelected{};
    std::string carrierIdMax = "1000";
    std::unique_ptr<CarrierIdJournal> journal = CarrierIdJournal::openFile(journalFilePath(dir.path()), "test");
    std::string problem;
    int transponders = 0;
    FakeStation station;
};

TEST_F(AutomaticCycle, CounterWritesTheNumberItCounts)
{
    set.carrierIdLength = "4";
    set.carrierId = "00012";
    cycle();
    EXPECT_EQ(writtenPage(0, 1), "30 30 31 32 00 00 00 00");
    EXPECT_EQ(set.carrierId, "13");
    for (const char *bad : {" 42", "", "4x", "-1"}) {
        set.carrierId = bad;
        cycle();
        EXPECT_EQ(station.messages, std::vector<std::string>{kWrongId}) << bad;
    }
    EXPECT_EQ(station.written.size(), 1u);
}

// A work order of 0 transponders programs nothing, from 0 as from 5; without
// a quantity "max" alone limits the counter.
TEST_F(AutomaticCycle, AWorkOrderOfNoTransponderProgramsNothing)
{
    set.carrierIdLength = "4";
    set.quantity = "0";
    for (const auto &[next, max] : {std::pair("0", "0"), std::pair("5", "4")}) {
        set.carrierId = next;
        carrierIdMax = max;
        cycle();
        EXPECT_EQ(message(), "Quantity reached.") << next;
    }
    EXPECT_TRUE(station.written.empty());
    set.quantity = "";
    set.carrierId = "0";
    carrierIdMax = "0";
    cycle();
    EXPECT_EQ(station.written.size(), 1u);
}

// The counter page's serials are held by the journal: a set whose value went
// back (a set file reloaded, a restart) goes on after the run's last one.
TEST_F(AutomaticCycle, TheCounterPageNeverGoesBackWithinTheRun)
{
    set.carrierIdLength = "4";
    set.carrierId = "1";
    set.counterPage = "5";
    set.counterValue = "00000005";
    cycle();
    cycle();
    set.counterValue = "00000005";
    cycle();
    ASSERT_EQ(station.written.size(), 3u);
    EXPECT_EQ(writtenPage(2, 5), "30 30 30 30 30 30 30 37");
    EXPECT_EQ(set.counterValue, "00000008");
    set.counterValue = "00000020"; // ahead of the run: taken
    cycle();
    EXPECT_EQ(writtenPage(3, 5), "30 30 30 30 30 30 32 30");
}

// A refused first write leaves nothing on the tag: the carrier ID is offered
// again. A write that went unanswered or a failed lock may have left it on
// the tag: the ID stays with that transponder, the next one gets the next ID,
// and the same transponder put back is finished from what it holds.
TEST_F(AutomaticCycle, FailuresAdvanceNothingAndHoldWhatMayBeOnATag)
{
    set.carrierIdLength = "4";
    set.carrierId = "42";
    set.counterPage = "5";
    set.counterValue = "7";
    set.pages[2].locked = true;
    station.writeErrors = 1;
    cycle();
    EXPECT_EQ(message(), "Error on writing the pages of the transponder.");
    EXPECT_EQ(station.locks, 0);
    EXPECT_EQ(journal->history("0042").at(0).state, CycleState::Failed);

    station.writeErrors = 0;
    station.lockErrors = 2;
    cycle();
    EXPECT_EQ(message(), "Error on locking the pages of the transponder.");
    EXPECT_EQ(writtenPage(1, 1), "30 30 34 32 00 00 00 00"); // 0042 offered again
    EXPECT_EQ(set.counterValue, "7");
    EXPECT_EQ(nextCarrierId, "43"); // 0042 stays with that tag
    EXPECT_EQ(station.records, 0);
    EXPECT_EQ(journal->holderOf("0042")->state, CycleState::Uncertain);

    station.lockErrors = 0;
    cycle();
    EXPECT_TRUE(station.messages.empty()) << message();
    EXPECT_EQ(writtenPage(2, 1), "30 30 34 33 00 00 00 00"); // another transponder: 0043
    EXPECT_EQ(set.carrierId, "44");

    station.uid = "UID2"; // the transponder of the failed lock is back: it holds its pages, only the locks are missing
    EXPECT_TRUE(cycle(true).passed);
    EXPECT_EQ(station.written.size(), 3u);
    EXPECT_EQ(station.locks, 3);
    EXPECT_EQ(journal->holderOf("0042")->state, CycleState::Programmed);
    EXPECT_EQ(set.carrierId, "44");
    EXPECT_EQ(station.records, 2);

    station.writeErrors = 1;
    station.writeReachesTag = true; // unanswered: it may be on the tag
    cycle();
    EXPECT_EQ(journal->holderOf("0044")->state, CycleState::Uncertain);
    station.writeErrors = 0;
    cycle();
    EXPECT_EQ(station.written.back()[0], "30 30 34 35 00 00 00 00");
}

TEST_F(AutomaticCycle, ATransponderIsProgrammedOnceAndOnlyWithItsUidKnown)
{
    set.carrierId = "7";
    cycle();
    cycle(true); // "One" twice on the same transponder
    EXPECT_EQ(message(), "This transponder already carries carrier ID 0000000000000007 (programmed " +
                             journal->holderOf("0000000000000007")->finishedAt +
                             ", set job).\r\nNothing was written. Put the next transponder on the antenna.");
    station.uid.clear();
    cycle(true);
    EXPECT_EQ(message(), "UID can't be read. No or defect transponder on Antenna or wrong transponder type chosen.");
    EXPECT_EQ(station.written.size(), 1u);
    EXPECT_EQ(set.carrierId, "8");
}

// Nothing is sent to the reader unless the reservation is written.
TEST_F(AutomaticCycle, WithoutAJournalNothingIsProgrammed)
{
    set.carrierId = "1";
    journal.reset();
    problem = "The carrier-ID journal /x/TagEncoderBench.journal cannot be opened: it is damaged";
    cycle();
    EXPECT_EQ(message(), problem + "\r\nNo transponder is programmed until the journal can be used.");
    EXPECT_TRUE(station.written.empty());
    EXPECT_EQ(set.carrierId, "1");
}

TEST_F(AutomaticCycle, ACycleThatWritesNothingIsRefused)
{
    set.carrierId = "1";
    set.counterPage = "9";
    set.counterValue = "1";
    pageSelected.fill(false);
    cycle();
    EXPECT_EQ(station.messages, std::vector<std::string>{"No page is selected for writing.\r\nNo transponder was programmed."});
    pageSelected[0] = true;
    cycle();
    EXPECT_EQ(station.messages.at(0), "The pages of the Carrier ID are not selected for writing.\r\nNo transponder was programmed.");
    pageSelected[1] = true;
    cycle();
    EXPECT_EQ(station.messages.at(0), "The counter page is not selected for writing.\r\nNo transponder was programmed.");
    pageSelected.fill(true);
    set.memoryPage = "9"; // the counter page over the carrier ID: the tag would get the counter
    cycle();
    EXPECT_EQ(station.messages.at(0), "The counter page lies on the page of the Carrier ID.\r\nNo transponder was programmed.");
    EXPECT_TRUE(station.written.empty());
    EXPECT_EQ(set.carrierId, "1");
    EXPECT_EQ(set.counterValue, "1");
}

// "ABC" of an "A" row and 41424300 of an "X" row are two carrier IDs that put
// the same bytes into pages 1 and 2: the second row is skipped like a row
// whose carrier ID is held, and the counter moves past such a value.
TEST_F(AutomaticCycle, TwoTranspondersNeverGetTheSameBytesInPages1And2)
{
    set.useDecimalCounter = false;
    set.csvFileComplete = true;
    writeCsv(test::completeHeader(",") + "\r\n" + test::completeRow("A,0,3,ABC,0", "") + "\r\n" +
             test::completeRow("X,0,4,41424300,0", "") + "\r\n" + test::completeRow("A,0,3,ABD,0", "") + "\r\n");
    cycle();
    cycle();
    EXPECT_TRUE(station.messages.empty()) << message();
    EXPECT_EQ(writtenPage(0, 1), "41 42 43 00 00 00 00 00");
    EXPECT_EQ(writtenPage(1, 1), "41 42 44 00 00 00 00 00");
    cycle();
    EXPECT_EQ(station.messages, (std::vector<std::string>{test::kCsvWrongFormat, kWrongId}));
    EXPECT_EQ(station.written.size(), 2u);
    EXPECT_NE(csv().find(test::completeRow("X,0,4,41424300,0", "") + "\r\n"), std::string::npos) << "not marked";

    // The counter's 0044 in page 1 with page 2 of zeros: the bytes of the "X" row 3030343400.
    writeCsv(test::completeHeader(",") + "\r\n" + test::completeRow("X,0,5,3030343400,0", "") + "\r\n");
    cycle();
    set.csvFileComplete = false;
    set.useDecimalCounter = true;
    set.carrierIdLength = "4";
    set.carrierId = "44";
    cycle();
    EXPECT_TRUE(station.messages.empty()) << message();
    EXPECT_EQ(writtenPage(3, 1), "30 30 34 35 00 00 00 00");
    EXPECT_EQ(set.carrierId, "46");
}

// Pages 1 and 2 that do not change with the counter, and pages taken by
// another station between the choice and the reservation: the cycle says so
// instead of offering the same bytes again and again.
TEST_F(AutomaticCycle, PagesThatStayHeldEndTheCycleWithAReason)
{
    set.carrierIdLength = "4";
    set.carrierId = "1";
    set.memoryPage = "3"; // pages 1 and 2 hold the set's fixed bytes on every tag
    cycle();
    cycle();
    EXPECT_EQ(station.messages, std::vector<std::string>{std::string(notice::kCarrierIdPagesHeld.text)});
    EXPECT_EQ(station.written.size(), 1u);

    set.memoryPage = "1";
    set.carrierId = "7";
    journal->reserve([] {
        JournalEntry other;
        other.carrierId = std::string("0007\0", 5);
        other.pagesHex = "3030303700000000,0000000000000000";
        other.uid = "ELSEWHERE";
        return other;
    }());
    station.pagesTakenMeanwhile = true;
    station.firstFree = 7;
    station.reservations = 0;
    cycle();
    EXPECT_EQ(station.reservations, 1); // the same bytes are not tried 20 times
    EXPECT_EQ(message(), "Another transponder already carries the bytes that carrier ID 0007 puts into pages 1 and 2."
                         "\r\nNothing was written. Press \"One\" again for the next one.");
    EXPECT_EQ(station.written.size(), 1u);
}

TEST_F(AutomaticCycle, ARecordThatCannotBeWrittenIsReportedAndTheSourceAdvances)
{
    set.carrierId = "1";
    station.recordOpens = false;
    EXPECT_TRUE(cycle().recordFailed);
    EXPECT_EQ(station.recordFailureViews, 1);
    EXPECT_EQ(set.carrierId, "2"); // the transponder is programmed: the source advanced
}

// PASS only when the transponder reads back what was written: a page it did
// not keep, or another transponder by the time of the read-back, leaves the
// ID held and the cycle failed with its reason.
TEST_F(AutomaticCycle, TheTransponderDecidesByWhatItReadsBack)
{
    set.carrierIdLength = "4";
    set.carrierId = "42";
    const CycleOutcome pass = cycle();
    EXPECT_TRUE(pass.passed);
    EXPECT_EQ(station.readBacks, 1);

    station.corruptPage = 3;
    const CycleOutcome differs = cycle();
    EXPECT_FALSE(differs.passed);
    EXPECT_EQ(differs.failure, "page 3 reads back other data than was written");
    EXPECT_EQ(journal->holderOf("0043")->state, CycleState::Uncertain);
    EXPECT_EQ(station.records, 1);
    station.corruptPage = 0;

    station.swapTo = "OTHER"; // TI: swapped after the UID was read, every write goes to the other tag
    const CycleOutcome swapped = cycle();
    EXPECT_FALSE(swapped.passed);
    EXPECT_EQ(swapped.failure, "the transponder was changed during the cycle");
    ASSERT_TRUE(journal->holderOf("0044"));
    EXPECT_EQ(journal->holderOf("0044")->uid, "UID3");
    EXPECT_EQ(journal->holderOf("0044")->state, CycleState::Uncertain);
    EXPECT_EQ(set.carrierId, "45");
}

// The transponder of a cut-off cycle is finished from what it holds and with
// the entry's own pages, whatever the set says by now and whatever the
// source has left; a page locked with other data spoils it for good.
TEST_F(AutomaticCycle, AnInterruptedCycleIsFinishedFromItsTransponder)
{
    set.carrierIdLength = "16";
    set.carrierId = "42";
    carrierIdMax = "42";
    station.writeErrors = 1;
    station.writeReachesTag = true; // its answer garbled: it may be on the tag
    cycle();
    EXPECT_EQ(journal->holderOf("0000000000000042")->state, CycleState::Uncertain);
    station.writeErrors = 0;

    set.carrierIdLength = "8"; // the set changed meanwhile, and its quantity is reached
    const CycleOutcome finished = cycle(true);
    EXPECT_TRUE(finished.passed) << finished.failure << message();
    EXPECT_EQ(writtenPage(1, 1), "30 30 30 30 30 30 30 30");
    EXPECT_EQ(writtenPage(1, 2), "30 30 30 30 30 30 34 32");
    EXPECT_EQ(journal->holderOf("0000000000000042")->state, CycleState::Programmed);

    station.tags["UID9"].pages[0] = PageBytes{1, 2, 3, 4, 5, 6, 7, 8};
    station.tags["UID9"].locked[0] = true;
    JournalEntry cutOff = *journal->holderOf("0000000000000042");
    cutOff.carrierId = "0000000000000043";
    cutOff.pagesHex.replace(cutOff.pagesHex.find("3030303030303432"), 16, "3030303030303433");
    cutOff.uid = "UID9";
    const JournalEntry reserved = journal->reserve(cutOff);
    station.uid = "UID9";
    const CycleOutcome spoiled = cycle(true);
    EXPECT_EQ(spoiled.failure, "this transponder cannot be programmed: page 1 is locked with other data");
    EXPECT_EQ(journal->holderOf("0000000000000043")->state, CycleState::Spoiled);
    carrierIdMax = "1000";
    cycle(true);
    EXPECT_TRUE(message().starts_with("This transponder cannot be programmed")) << message();
    EXPECT_EQ(station.written.size(), 5u); // a refusal is tried three times before it spoils the tag
    EXPECT_NE(reserved.id, 0);
}

// The cycle shows PASS only once the journal has confirmed it; a transponder
// programmed while the journal is gone FAILs with that reason, is recorded
// all the same and keeps its ID held, and no message says it was not programmed.
TEST_F(AutomaticCycle, PassOnlyAfterTheJournalConfirmed)
{
    set.useDecimalCounter = false;
    set.useCsvFile = true;
    writeCsv("Carrier ID,done\r\n0000000000000001,\r\n0000000000000002,\r\n");
    station.journalGone = true;
    const CycleOutcome unconfirmed = cycle();
    EXPECT_FALSE(unconfirmed.passed);
    EXPECT_EQ(unconfirmed.failure, "programmed on the transponder, not yet confirmed in the journal");
    EXPECT_EQ(station.records, 1);
    EXPECT_EQ(journal->holderOf("0000000000000001")->state, CycleState::Reserved);
    for (const std::string &text : station.messages)
        EXPECT_EQ(text.find("No transponder was programmed"), std::string::npos) << text;

    station.journalGone = false;
    EXPECT_TRUE(cycle().passed);
    EXPECT_EQ(set.carrierId, "0000000000000002");
}

} // namespace
} // namespace teb
