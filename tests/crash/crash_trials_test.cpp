// Crash-state trials: a station process programs transponders on the
// simulated reader and loses power, at one of its syncs (before it took
// effect or just after) or at a random moment; the folder goes back to what
// was durable and the next station starts on it. At the end no carrier ID
// may be on two transponders, every one on a transponder is in the journal,
// every programmed entry has its record, and the CSV file and the workbook
// are whole and take more.
#include "crash_station.h"
#include "power_cut.h"

#include "history/missing_records.h"
#include "history/record_rebuild.h"
#include "journal/carrier_id_journal.h"
#include "params/parameter_set_file.h"
#include "support/automatic_job.h"
#include "support/reader_simulator.h"
#include "support/temp_dir.h"
#include "support/trial_data.h"
#include "support/xml_check.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <thread>

namespace teb::test {
namespace {

namespace fs = std::filesystem;

constexpr int kShortCuts = 50; // per source; TEB_CRASH_CUTS asks for more (scripts/crash-trials)
constexpr int kRows = 3'000;
constexpr int kSyncsReached = 40; // a planned cut falls among a station's first syncs
constexpr int kFinalCycles = 3;

int cutsAsked()
{
    const char *asked = std::getenv("TEB_CRASH_CUTS");
    return asked ? std::max(1, std::atoi(asked)) : kShortCuts;
}

void useCsvFile(ParameterSet &job, const fs::path &folder) { useIdFile(job, folder / "ids.csv", kRows); }

void useCompleteDataSets(ParameterSet &job, const fs::path &folder) { test::useCompleteDataSets(job, folder, kRows); }

struct Tally {
    int cuts = 0;
    int transponders = 0;
    int programmed = 0;
    int uncertain = 0;
    int duplicates = 0;
    int missing = 0;
    int named = 0; // records a cut took, named at the start
    int lost = 0;
    std::map<std::string, int> cutsAt; // where the planned cuts fell
};

// Every CSV line whole: CR LF, its row's carrier ID, nothing or one "X" at its end.
std::string csvFaults(const fs::path &file)
{
    std::istringstream lines(readFileBytes(file));
    std::string line;
    int row = 0;
    while (std::getline(lines, line)) {
        if (!line.ends_with('\r'))
            return "line " + std::to_string(row + 1) + " has no CR";
        const bool whole = line.find(idOf(row) + ",") != std::string::npos &&
                           (line.ends_with(",\r") || line.ends_with(",X\r"));
        if (row > 0 && !whole)
            return "line " + std::to_string(row + 1) + " is not row " + std::to_string(row) + ": " + line;
        ++row;
    }
    return row == kRows + 1 ? "" : "it holds " + std::to_string(row) + " lines";
}

struct Source {
    std::string name;
    void (*use)(ParameterSet &, const fs::path &); // none: the decimal counter
    std::string csvFile;
};
void PrintTo(const Source &source, std::ostream *out) { *out << source.name; }

class CrashTrials : public ::testing::TestWithParam<Source> {
protected:
    void SetUp() override
    {
        fs::create_directory(folder);
        job = automaticJob();
        job.carrierIdLength = std::to_string(kIdLength);
        job.counterPage = "5";
        job.counterValue = "00000001";
        if (GetParam().use)
            GetParam().use(job, folder);
        writeAutomaticStation(folder, job, "1000000");
        power_cut::makeDurable(folder, shadow);
    }

    void runTrials(int cuts)
    {
        ReaderSimulator reader(folder, {"--family", "orvex", "--write-log", (dir / "writes.log").string()}, "COM7");
        ASSERT_TRUE(reader.ready());
        std::mt19937 random(20261228);
        for (int cut = 0; cut < cuts; ++cut) {
            const bool atASync = cut % 4 != 3; // one cut in four at a moment of time
            CutPlan plan;
            if (atASync) {
                plan.syncNumber = std::uniform_int_distribution(1, kSyncsReached)(random);
                plan.moment = random() % 2 ? power_cut::CutMoment::BeforeSync : power_cut::CutMoment::AfterSync;
            }
            CrashStation station(folder, shadow, reader.pid(), plan, atASync ? 100'000 : 1'000);
            if (atASync || !station.ready()) {
                station.waitUntilDone();
                ASSERT_TRUE(station.ready() || !power_cut::cutNote(shadow).empty())
                    << "the station did not start on what cut " << cut << " left";
            } else {
                std::this_thread::sleep_for(
                    std::chrono::microseconds(std::uniform_int_distribution(0, 300'000)(random)));
                station.cut();
            }
            std::string note = power_cut::cutNote(shadow);
            if (note.find(" .") != std::string::npos) // a temporary file: its name differs each time
                note = note.substr(0, note.size() - 7) + ".<temporary>";
            ++tally.cutsAt[note.empty() ? "a moment of time" : note];
            power_cut::losePower(folder, shadow);
            ++tally.cuts;
        }
        CrashStation last(folder, shadow, reader.pid(), {}, kFinalCycles);
        ASSERT_TRUE(last.ready());
        EXPECT_TRUE(last.waitUntilDone()) << "the station did not finish its run after the last cut";
        check();
    }

    void check()
    {
        const auto onTags = carrierIdsOnTransponders(dir / "writes.log");
        char host[256] = {};
        ::gethostname(host, sizeof host - 1);
        const std::string station = std::string(host) + ":" + folder.string();
        auto journal = CarrierIdJournal::openFile(journalFilePath(folder), station);
        journal->closeInterruptedCycles();
        std::map<std::string, std::set<std::string>> tagsOfId;
        for (const auto &[uid, id] : onTags)
            tagsOfId[id].insert(uid);
        tally.transponders = static_cast<int>(onTags.size());
        for (const auto &[id, tags] : tagsOfId) {
            if (tags.size() > 1) {
                ++tally.duplicates;
                ADD_FAILURE() << "carrier ID " << id << " is on " << tags.size() << " transponders";
            }
            const auto holder = journal->holderOf(id);
            if (!holder || !tags.contains(holder->uid)) {
                ++tally.missing;
                ADD_FAILURE() << "carrier ID " << id << " is on a transponder but not in the journal for it";
                continue;
            }
            tally.programmed += holder->state == CycleState::Programmed ? 1 : 0;
            tally.uncertain += holder->state == CycleState::Uncertain ? 1 : 0;
        }
        checkRecords(*journal);
        if (!GetParam().csvFile.empty()) {
            EXPECT_EQ(csvFaults(folder / GetParam().csvFile), "");
        }
        EXPECT_GT(tally.programmed, tally.cuts / 10) << "the trials programmed too little to prove anything";
    }

    // A record a cut took is named by the station's start-up check, and the
    // journal window's record file holds it again; a lost one is neither.
    void checkRecords(CarrierIdJournal &journal)
    {
        const fs::path records = folder / "records.xml";
        EXPECT_EQ(xmlFaults(records), "");
        std::set<std::int64_t> named;
        for (const MissingRecords &set : findMissingRecords(journal, folder, [&](const std::string &name) {
                 return loadParameterSet(folder, name);
             }))
            for (const JournalEntry &entry : set.entries)
                named.insert(entry.id);
        const std::vector<JournalEntry> programmed = journal.programmedOfSet("job");
        const auto inWorkbook = recordsPerUid(records);
        for (const JournalEntry &entry : programmed) {
            const bool recorded = inWorkbook.contains(entry.uid);
            tally.named += recorded ? 0 : 1;
            tally.lost += recorded || named.contains(entry.id) ? 0 : 1;
        }
        EXPECT_EQ(tally.lost, 0) << "records missing from the record file and not named at the start";
        const fs::path rebuilt = dir / "rebuilt.xml";
        ASSERT_FALSE(rewriteRecordFile(rebuilt, "job", loadParameterSet(folder, "job"), programmed).failed);
        EXPECT_EQ(xmlFaults(rebuilt), "");
        const auto inRebuilt = recordsPerUid(rebuilt);
        for (const JournalEntry &entry : programmed)
            EXPECT_EQ(inRebuilt.count(entry.uid) ? inRebuilt.at(entry.uid) : 0U, 1U) << "the written record file lacks " << entry.uid;
    }

    void report() const
    {
        std::ostringstream out;
        out << "crash source " << GetParam().name << ": " << tally.cuts << " cuts, " << tally.cuts + 1
            << " states checked, " << tally.transponders << " transponders, " << tally.programmed << " programmed, "
            << tally.uncertain << " uncertain, " << tally.duplicates << " duplicates, " << tally.missing
            << " missing, " << tally.named << " records named at the start, " << tally.lost << " records lost\n";
        for (const auto &[where, count] : tally.cutsAt)
            out << "  cut " << where << ": " << count << "\n";
        std::cout << out.str();
    }

    TempDir dir;
    fs::path folder = dir / "station";
    fs::path shadow = dir / "disk";
    ParameterSet job;
    Tally tally;
};

TEST_P(CrashTrials, NothingIsLostOrIssuedTwice)
{
    runTrials(cutsAsked());
    report();
}

INSTANTIATE_TEST_SUITE_P(Sources, CrashTrials, ::testing::Values(
    Source{"DecimalCounter", nullptr, ""},
    Source{"CsvFile", useCsvFile, "ids.csv"},
    Source{"CompleteDataSets", useCompleteDataSets, "sets.csv"}),
    [](const auto &info) { return info.param.name; });

} // namespace
} // namespace teb::test
