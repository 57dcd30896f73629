// Kill trials: a station process programs transponders on the simulated
// reader, which loses, garbles and refuses answers at random, and is killed
// with SIGKILL at random moments, then started again. No carrier ID may end
// up on two transponders, and every transponder that received a carrier ID
// is in the journal with it. Then every transponder comes back once, without
// faults, and every cycle left open must be concluded.
#include "support/automatic_job.h"
#include "support/forked_station.h"
#include "support/postgres_database.h"
#include "support/reader_simulator.h"
#include "support/trial_data.h"
#include "support/temp_dir.h"
#include "support/xml_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include <unistd.h>

namespace teb::test {
namespace {

constexpr int kKills = 200;
constexpr int kServerKills = 50;
constexpr long long kMaxWindowMicroseconds = 200'000;
// Of the page commands, this many per mille are hit by a fault: some cycles
// in each trial, while most still run through.
constexpr const char *kFaultsPerMille = "5";
// T = 4 x 25 ms: a lost answer to a write costs 400 ms, not the 1 s of the
// reader's usual time-out number, so a trial spends its time on cycles.
constexpr const char *kTimeOutNumber = "4";
// More rows than a trial's cycles; each "X" rewrites the whole file, so no more.
constexpr int kCsvRows = 3000;

void useCsvFile(ParameterSet &job, const std::filesystem::path &directory)
{
    useIdFile(job, directory / "ids.csv", kCsvRows);
}

void useCompleteDataSets(ParameterSet &job, const std::filesystem::path &directory)
{
    test::useCompleteDataSets(job, directory, kCsvRows);
}

struct Trial {
    std::string name;
    void (*source)(ParameterSet &, const std::filesystem::path &); // none: the decimal counter
    bool onServer = false;
    bool restartServerMidRun = false;
    bool orvex = true; // or TI: the families alternate over the sources
    std::string seed;  // of the reader's faults
};
void PrintTo(const Trial &trial, std::ostream *out) { *out << trial.name; }

// How many journal entries are in each state, as "programmed 120, uncertain 3".
std::string stateCounts(CarrierIdJournal &journal)
{
    std::map<std::string, int> counts;
    for (const JournalEntry &entry : journal.history("", 1'000'000))
        ++counts[std::string(stateName(entry.state))];
    std::ostringstream text;
    for (const auto &[state, count] : counts)
        text << (text.tellp() > 0 ? ", " : "") << state << ' ' << count;
    return text.str();
}

class KillTrials : public ::testing::TestWithParam<Trial> {
protected:
    void SetUp() override
    {
        job = automaticJob();
        job.carrierIdLength = std::to_string(kIdLength);
        job.counterPage = "5";
        job.counterValue = "00000001";
    }

    void runTrials()
    {
        const Trial &trial = GetParam();
        job.transponderOrvex = trial.orvex;
        job.transponderTi = !trial.orvex;
        writeAutomaticStation(dir.path(), job, "1000000");
        if (server)
            writeFileBytes(dir / "TagEncoderBench.ini", readFileBytes(dir / "TagEncoderBench.ini") +
                                                            "[Journal]\r\nServer=" + server->connection() + "\r\n");
        ReaderSimulator reader(dir.path(),
                               {"--family", trial.orvex ? "orvex" : "ti", "--write-log", (dir / "writes.log").string(),
                                "--random-faults", kFaultsPerMille, "--seed", trial.seed, "--tor", kTimeOutNumber},
                               "COM7");
        ASSERT_TRUE(reader.ready());
        const int killed = killRepeatedly(reader);
        reader.faultsOff();
        const int transponders = reader.transponderCount();
        const int programmed = checkTransponders();
        std::cout << "[ trials   ] " << trial.name << (trial.orvex ? " (Orvex)" : " (TI)") << ": " << killed
                  << " kills, " << transponders << " transponders, " << programmed << " cycles programmed, "
                  << reader.injectedFaults() << " faults injected; entries: " << stateCounts(*openJournal()) << '\n';
        // Enough cycles ran to the end between the kills to prove something,
        // also on a loaded machine where a station gets few of them done.
        EXPECT_GT(programmed, kills / 10) << "the trials programmed too little to prove anything";

        // Every transponder once more, in the order they came, faults off.
        ForkedStation putBack(dir.path(), reader.pid(), transponders, Transponders::PutBackBeforeEachCycle);
        ASSERT_TRUE(putBack.ready());
        EXPECT_TRUE(putBack.waitUntilDone());
        checkTransponders();
        for (const JournalEntry &open : openJournal()->unfinished())
            ADD_FAILURE() << "carrier ID " << open.carrierId << " on " << open.uid << " is left "
                          << stateName(open.state) << " after its transponder came back";
        EXPECT_EQ(xmlFaults(dir / "records.xml"), "");
    }

    // The station killed `kills` times at random moments; how many kills it took.
    int killRepeatedly(const ReaderSimulator &reader)
    {
        std::mt19937 random(20261207);
        long long window = 50'000;
        int kill = 0;
        for (; kill < kills; ++kill) {
            ForkedStation station(dir.path(), reader.pid());
            EXPECT_TRUE(station.ready()) << "trial " << kill;
            if (!station.ready())
                break;
            std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<long long>(0, window)(random)));
            if (server && GetParam().restartServerMidRun && kill == kills / 2)
                restartServer(); // while the station runs: cycles fail until it is back
            if (station.finished())
                break;
            station.kill();
            window = std::min(window + window / 8, kMaxWindowMicroseconds);
        }
        return kill;
    }

    // As the station's next start would: its cycles still reserved were cut off.
    std::unique_ptr<CarrierIdJournal> openJournal()
    {
        char host[256] = {};
        ::gethostname(host, sizeof host - 1);
        const std::string station = std::string(host) + ":" + dir.path().string();
        auto journal = server ? CarrierIdJournal::openServer(server->connection(), station)
                              : CarrierIdJournal::openFile(journalFilePath(dir.path()), station);
        journal->closeInterruptedCycles();
        return journal;
    }

    // What the transponders carry against the journal: no carrier ID on two
    // of them, every one on a tag held by the journal for that tag alone, and
    // every programmed one on its tag. The count of those programmed.
    int checkTransponders()
    {
        const auto onTags = carrierIdsOnTransponders(dir / "writes.log");
        const auto journal = openJournal();
        const int programmed = programmedOnTransponders(onTags, *journal);
        for (const auto &[uid, id] : onTags) {
            for (const JournalEntry &entry : journal->history(uid, 1'000'000)) {
                if (entry.uid == uid && entry.state != CycleState::Failed) {
                    EXPECT_EQ(entry.carrierId, id) << uid << " carries another carrier ID than its "
                                                   << stateName(entry.state) << " entry";
                }
            }
        }
        for (const JournalEntry &entry : journal->history("", 1'000'000)) {
            const auto tag = onTags.find(entry.uid);
            const bool onItsTag = tag != onTags.end() && tag->second == entry.carrierId;
            EXPECT_TRUE(onItsTag || entry.state != CycleState::Programmed)
                << "carrier ID " << entry.carrierId << " is programmed for " << entry.uid << " but not on it";
        }
        return programmed;
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
    Trial{.name = "DecimalCounter", .source = nullptr, .orvex = true, .seed = "11"},
    Trial{.name = "PostgresDecimalCounterWithTheServerRestartedMidRun", .source = nullptr, .onServer = true,
          .restartServerMidRun = true, .orvex = false, .seed = "12"},
    Trial{.name = "CsvFile", .source = useCsvFile, .orvex = false, .seed = "13"},
    Trial{.name = "PostgresCsvFile", .source = useCsvFile, .onServer = true, .orvex = true, .seed = "14"},
    Trial{.name = "CompleteDataSets", .source = useCompleteDataSets, .orvex = true, .seed = "15"},
    Trial{.name = "PostgresCompleteDataSets", .source = useCompleteDataSets, .onServer = true, .orvex = false,
          .seed = "16"}),
    [](const auto &info) { return info.param.name; });

} // namespace
} // namespace teb::test
