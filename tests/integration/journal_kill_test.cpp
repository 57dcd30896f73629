// Kill trials: a station process programs transponders on the simulated
// reader and is killed with SIGKILL at random moments, then started again.
// Across all trials no carrier ID may end up on two transponders, and every
// transponder that received a carrier ID is in the journal with it, as
// programmed or, for a cycle that never ended, as uncertain.
#include "station_process.h"
#include "support/automatic_job.h"
#include "support/postgres_database.h"
#include "support/reader_simulator.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

#include <unistd.h>

namespace teb::test {
namespace {

constexpr int kKills = 200;
constexpr int kServerKills = 50;
constexpr long long kMaxWindowMicroseconds = 200'000;

void useCsvFile(ParameterSet &job, const std::filesystem::path &directory)
{
    useIdFile(job, directory / "ids.csv", 20'000);
}

void useCompleteDataSets(ParameterSet &job, const std::filesystem::path &directory)
{
    job.useDecimalCounter = false;
    job.csvFileComplete = true;
    job.csvFileName = "sets.csv";
    std::string csv = "ASCII (A), HEX(X),Carrier ID offset,Carrier ID length,Carrier ID,Lock Carrier ID,";
    for (int page = 3; page <= 17; ++page)
        csv += "page" + std::to_string(page) + ",Lock page" + std::to_string(page) + ",";
    csv += "done\r\n";
    for (int row = 1; row <= 20'000; ++row) {
        csv += "A,0,16," + idOf(row) + ",1,";
        for (int page = 3; page <= 17; ++page)
            csv += "P" + std::to_string(page) + ",1,";
        csv += "\r\n";
    }
    writeFileBytes(directory / "sets.csv", csv);
}

struct Trial {
    std::string name;
    void (*source)(ParameterSet &, const std::filesystem::path &); // none: the decimal counter
    bool onServer;
    bool restartServerMidRun;
};
void PrintTo(const Trial &trial, std::ostream *out) { *out << trial.name; }

class KillTrials : public ::testing::TestWithParam<Trial> {
protected:
    void SetUp() override
    {
        job = automaticJob();
        job.carrierIdLength = std::to_string(kIdLength);
        job.carrierId = "1";
        job.logEnabled = false;
        job.counterPage = "5";
        job.counterValue = "00000001";
    }

    void runTrials()
    {
        writeAutomaticStation(dir.path(), job, "1000000");
        if (server)
            writeFileBytes(dir / "TagEncoderBench.ini", readFileBytes(dir / "TagEncoderBench.ini") +
                                                            "[Journal]\r\nServer=" + server->connection() + "\r\n");
        ReaderSimulator reader(dir.path(), {"--family", "orvex", "--write-log", (dir / "writes.log").string()}, "COM7");
        ASSERT_TRUE(reader.ready());
        std::mt19937 random(20261207);
        long long window = 50'000;
        for (int kill = 0; kill < kills; ++kill) {
            StationProcess station(dir.path(), reader.pid());
            ASSERT_TRUE(station.ready()) << "trial " << kill;
            std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<long long>(0, window)(random)));
            if (server && GetParam().restartServerMidRun && kill == kills / 2)
                restartServer(); // while the station runs: cycles fail until it is back
            if (station.finished())
                break;
            station.kill();
            window = std::min(window + window / 8, kMaxWindowMicroseconds);
        }
        check();
    }

    void check()
    {
        const auto onTags = carrierIdsOnTransponders(dir / "writes.log");
        char host[256] = {};
        ::gethostname(host, sizeof host - 1);
        // As the station's next start would: its cycles still reserved were cut off.
        const std::string station = std::string(host) + ":" + dir.path().string();
        auto journal = server ? CarrierIdJournal::openServer(server->connection(), station)
                              : CarrierIdJournal::openFile(journalFilePath(dir.path()), station);
        journal->closeInterruptedCycles();
        const int programmed = programmedOnTransponders(onTags, *journal);
        for (const auto &[uid, id] : onTags) {
            const auto programmedEntry = journal->programmedFor(uid);
            const auto open = journal->unfinishedFor(uid);
            EXPECT_TRUE((programmedEntry && programmedEntry->carrierId == id) || (open && open->carrierId == id)) << uid;
        }
        // Enough cycles ran to the end between the kills to prove something,
        // also on a loaded machine where a station gets few of them done.
        EXPECT_GT(programmed, kills / 10) << "the trials programmed too little to prove anything";
    }

    // Stopped and started again under the running station (pg_virtualenv's cluster).
    static void restartServer()
    {
        ASSERT_EQ(std::system("pg_ctlcluster \"$PGVERSION\" regress stop -m fast >/dev/null 2>&1"), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ASSERT_EQ(std::system("pg_ctlcluster \"$PGVERSION\" regress start >/dev/null 2>&1"), 0);
    }

    TempDir dir;
    ParameterSet job;
    std::unique_ptr<PostgresDatabase> server;
    int kills = kKills;
};

TEST_P(KillTrials, NoCarrierIdOnTwoTransponders)
{
    const Trial &trial = GetParam();
    if (trial.onServer) { // the same trials with the journal on the test run's PostgreSQL server
        server = std::make_unique<PostgresDatabase>();
        kills = kServerKills;
        TEB_NEED_POSTGRES(*server);
    }
    if (trial.source)
        trial.source(job, dir.path());
    runTrials();
}

INSTANTIATE_TEST_SUITE_P(Sources, KillTrials, ::testing::Values(
    Trial{"DecimalCounter", nullptr, false, false},
    Trial{"PostgresDecimalCounterWithTheServerRestartedMidRun", nullptr, true, true},
    Trial{"CsvFile", useCsvFile, false, false},
    Trial{"PostgresCsvFile", useCsvFile, true, false},
    Trial{"CompleteDataSets", useCompleteDataSets, false, false},
    Trial{"PostgresCompleteDataSets", useCompleteDataSets, true, false}),
    [](const auto &info) { return info.param.name; });

} // namespace
} // namespace teb::test
