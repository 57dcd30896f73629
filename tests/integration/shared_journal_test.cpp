// Two stations, each with its own reader and working folder, drawing carrier
// IDs from one set through one journal on the PostgreSQL server: every ID
// goes onto exactly one transponder, every ID of the range has an entry, and
// the two record files together hold every programmed transponder once.
#include "support/automatic_job.h"
#include "support/forked_station.h"
#include "support/postgres_database.h"
#include "support/reader_simulator.h"
#include "support/trial_data.h"
#include "support/xml_check.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace teb::test {
namespace {

constexpr int kCyclesEach = 300;

struct Bench {
    TempDir dir;
    std::unique_ptr<ReaderSimulator> reader;
};

class SharedJournal : public ::testing::Test {
protected:
    void SetUp() override
    {
        TEB_NEED_POSTGRES(server);
        job = automaticJob();
        job.carrierIdLength = std::to_string(kIdLength);
    }

    void prepare(Bench &bench, const std::string &name, const std::string &firstUid)
    {
        writeAutomaticStation(bench.dir.path(), job, "1000000");
        writeFileBytes(bench.dir / "TagEncoderBench.ini", readFileBytes(bench.dir / "TagEncoderBench.ini") +
                                                              "[Journal]\r\nServer=" + server.connection() +
                                                              "\r\nStation=" + name + "\r\n");
        bench.reader = std::make_unique<ReaderSimulator>(
            bench.dir.path(),
            std::vector<std::string>{"--family", "orvex", "--uid", firstUid, "--write-log", (bench.dir / "writes.log").string()},
            "COM7");
        ASSERT_TRUE(bench.reader->ready());
    }

    void runBoth()
    {
        prepare(first, "bench-1", "A0000000");
        prepare(second, "bench-2", "B0000000");
        ForkedStation one(first.dir.path(), first.reader->pid(), kCyclesEach);
        ForkedStation two(second.dir.path(), second.reader->pid(), kCyclesEach);
        ASSERT_TRUE(one.ready() && two.ready());
        EXPECT_TRUE(one.waitUntilDone());
        EXPECT_TRUE(two.waitUntilDone());
        check();
    }

    void check()
    {
        auto onTags = carrierIdsOnTransponders(first.dir / "writes.log");
        onTags.merge(carrierIdsOnTransponders(second.dir / "writes.log"));
        auto journal = CarrierIdJournal::openServer(server.connection(), "check");
        const auto programmed = static_cast<std::size_t>(programmedOnTransponders(onTags, *journal));
        // Every carrier ID up to the last one issued has an entry that says what became of it.
        std::set<std::string> inJournal;
        for (const JournalEntry &entry : journal->history("", 100000))
            inJournal.insert(entry.carrierId);
        const std::string last = *inJournal.rbegin();
        for (long long number = 1; idOf(number) <= last; ++number)
            EXPECT_TRUE(inJournal.count(idOf(number))) << idOf(number) << " was skipped without an entry";

        EXPECT_EQ(xmlFaults(first.dir / "records.xml"), "");
        EXPECT_EQ(xmlFaults(second.dir / "records.xml"), "");
        EXPECT_EQ(recordsOf(first.dir / "records.xml", "A0") + recordsOf(second.dir / "records.xml", "B0"), programmed);
    }

    PostgresDatabase server;
    ParameterSet job;
    Bench first;
    Bench second;
};

TEST_F(SharedJournal, PostgresTwoStationsShareOneDecimalCounter)
{
    runBoth();
}

TEST_F(SharedJournal, PostgresTwoStationsShareOneCsvFile)
{
    TempDir shared;
    const auto csvFile = shared / "ids.csv";
    useIdFile(job, csvFile, 2 * kCyclesEach);
    runBoth();
    EXPECT_EQ(readFileBytes(csvFile).find(",\r\n"), std::string::npos) << "a row is left without its X";
}

} // namespace
} // namespace teb::test
