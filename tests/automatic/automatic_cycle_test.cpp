#include "automatic/automatic_cycle.h"
#include "csv_fixture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace teb {
namespace {

const std::string kQuantityReached = "Quantity reached.";
const std::string kWrongId = "Wrong Carrier ID format.";

// The station around the cycle: scripted write and lock results, and what
// the pages held when they were written.
class FakeStation : public CycleStation {
public:
    void notify(const Notice &notice) override { messages.emplace_back(notice.text); }
    int writePages() override
    {
        written.push_back(*pageText);
        return writeErrors;
    }
    int lockPages() override
    {
        ++locks;
        return lockErrors;
    }
    bool appendRecord() override
    {
        ++records;
        return recordOpens;
    }
    void takeFromControls() override {}
    void showInControls() override {}
    void enableAfterRecordFailure() override { ++recordFailureViews; }

    const std::array<std::string, pageCount> *pageText = nullptr;
    int writeErrors = 0;
    int lockErrors = 0;
    bool recordOpens = true;
    std::vector<std::string> messages;
    std::vector<std::array<std::string, pageCount>> written;
    int locks = 0;
    int records = 0;
    int recordFailureViews = 0;
};

class AutomaticCycle : public test::CsvSourceFixture, public ::testing::Test {
protected:
    AutomaticCycle()
    {
        set.useDecimalCounter = true;
        set.carrierIdLength = "16";
        set.logEnabled = true;
        pageSelected.fill(true);
        station.pageText = &pageText;
    }
    // "One" clears the error count before the cycle runs.
    void cycle(std::int32_t errorsBefore = 0)
    {
        errorCount = errorsBefore;
        station.messages.clear();
        CycleFields cycleFields{fields(), pageSelected, carrierIdMax, programmedCount, errorCount,
                                recordFailed, pageFocusRequest, state, progress};
        runAutomaticCycle(cycleFields, station);
    }
    std::string writtenPage(std::size_t write, int page) const
    {
        return station.written.at(write).at(static_cast<std::size_t>(page - 1));
    }

    std::array<bool, pageCount> pageSelected{};
    std::string carrierIdMax = "1000";
    std::uint64_t programmedCount = 0;
    std::int32_t errorCount = 0;
    bool recordFailed = false;
    std::array<bool, pageCount> pageFocusRequest{};
    std::optional<ProgressKeeping> progress;
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
    set.carrierId = "1";
    set.memoryPage = "17";
    set.carrierIdOffset = "6"; // four cells from byte 6 of page 17 leave the pages
    cycle();
    EXPECT_EQ(station.messages, std::vector<std::string>{kWrongId});
    EXPECT_EQ(station.written.size(), 1u);
}

TEST_F(AutomaticCycle, AQuantityOfZeroProgramsNothing)
{
    set.useDecimalCounter = false;
    set.useFixData = true;
    for (const char *quantity : {"0", "-1", ""}) {
        set.quantity = quantity;
        cycle();
        EXPECT_EQ(station.messages, std::vector<std::string>{kQuantityReached}) << quantity;
    }
    EXPECT_TRUE(station.written.empty());
}

TEST_F(AutomaticCycle, FailuresAdvanceNothingAndRecordNothing)
{
    set.carrierId = "42";
    set.counterPage = "5";
    set.counterValue = "7";
    struct Case {
        int writeErrors, lockErrors;
        std::string message;
        int locks;
    };
    const Case cases[] = {
        {1, 0, "Error on writing the pages of the transponder.", 0},
        {0, 2, "Error on locking the pages of the transponder.", 1},
    };
    for (const Case &c : cases) {
        station.locks = 0;
        station.writeErrors = c.writeErrors;
        station.lockErrors = c.lockErrors;
        cycle();
        EXPECT_EQ(station.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(station.locks, c.locks);
        EXPECT_EQ(set.carrierId, "42");
        EXPECT_EQ(set.counterValue, "7");
        EXPECT_EQ(station.records, 0);
    }
    station.writeErrors = station.lockErrors = 0;
    cycle();
    EXPECT_EQ(writtenPage(2, 2), writtenPage(0, 2)); // the same carrier ID again
    EXPECT_EQ(set.carrierId, "43");
    EXPECT_EQ(station.records, 1);

    cycle(1); // a failure before writing
    EXPECT_EQ(station.messages, std::vector<std::string>{
        "UID can't be read. No or defect transponder on Antenna or wrong transponder type chosen."});
    EXPECT_EQ(set.carrierId, "43");
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
    EXPECT_TRUE(station.written.empty());
    EXPECT_EQ(set.carrierId, "1");
    EXPECT_EQ(set.counterValue, "1");
}

TEST_F(AutomaticCycle, RecordFileAndFocusAfterAProgrammedTransponder)
{
    set.carrierId = "1";
    set.pages[4].editable = true;
    set.pages[9].editable = true;
    set.logEnabled = false;
    cycle();
    EXPECT_EQ(station.records, 0);
    EXPECT_TRUE(pageFocusRequest[4]);
    EXPECT_FALSE(pageFocusRequest[9]);

    set.logEnabled = true;
    station.recordOpens = false;
    cycle();
    EXPECT_TRUE(recordFailed);
    EXPECT_EQ(station.recordFailureViews, 1);
    EXPECT_EQ(set.carrierId, "3"); // the transponder is programmed: the source advanced
}

TEST_F(AutomaticCycle, CsvRowsAreMarkedAndAFailedMarkBlocksTheNextTransponder)
{
    set.useDecimalCounter = false;
    set.useCsvFile = true;
    set.carrierIdLength = "2";
    writeCsv("Carrier ID,done\r\nA1,\r\nA2,\r\n");
    cycle();
    EXPECT_EQ(writtenPage(0, 1), "41 31 00 00 00 00 00 00");
    EXPECT_EQ(csv(), "Carrier ID,done\r\nA1,X\r\nA2,\r\n");

    station.lockErrors = 1;
    cycle();
    EXPECT_EQ(csv(), "Carrier ID,done\r\nA1,X\r\nA2,\r\n");
    station.lockErrors = 0;

    ::chmod(csvPath().c_str(), 0444);
    cycle(); // programmed and recorded, but the row keeps no "X"
    EXPECT_EQ(station.records, 2);
    EXPECT_EQ(station.messages.size(), 1u);
    EXPECT_NE(station.messages.at(0).find("could not be marked"), std::string::npos);
    cycle(); // nothing is programmed until the mark is made
    EXPECT_EQ(station.written.size(), 3u);
    EXPECT_EQ(station.messages.size(), 1u);

    ::chmod(csvPath().c_str(), 0644);
    cycle(); // the mark is made; no row is left
    EXPECT_EQ(csv(), "Carrier ID,done\r\nA1,X\r\nA2,X\r\n");
    EXPECT_EQ(station.messages, (std::vector<std::string>{test::kCsvWrongFormat, kWrongId}));
    EXPECT_EQ(station.written.size(), 3u);
}

TEST_F(AutomaticCycle, ProgressIsKeptAfterEveryAdvance)
{
    set.carrierId = "1000";
    carrierIdMax = "5000";
    set.counterPage = "3";
    set.counterValue = "00000005";
    progress = ProgressKeeping{dir / "job.progress", SetStart{"1000", "00000005"}};
    cycle();
    cycle();
    EXPECT_TRUE(station.messages.empty()) << station.messages.at(0);
    const auto kept = readProgress(dir / "job.progress");
    ASSERT_TRUE(kept);
    EXPECT_EQ(*kept, (SetProgress{"1000", "00000005", "1002", "00000007"}));

    ParameterSet restarted;
    restarted.carrierId = "1000";
    restarted.counterValue = "00000005";
    EXPECT_TRUE(resumeProgress(*kept, SetStart{"1000", "00000005"}, restarted));
    EXPECT_EQ(restarted.carrierId, "1002");
    EXPECT_EQ(restarted.counterValue, "00000007");
    EXPECT_FALSE(resumeProgress(*kept, SetStart{"2000", "00000005"}, restarted)); // saved anew: void
}

} // namespace
} // namespace teb
