// Kill trials: a station process programs transponders on the simulated
// reader and is killed with SIGKILL at random moments, then started again.
// Across all trials no carrier ID may end up on two transponders, and every
// transponder that received a carrier ID is in the journal with it, as
// programmed or, for a cycle that never ended, as uncertain.
#include "journal/carrier_id_journal.h"
#include "support/automatic_job.h"
#include "support/reader_simulator.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace teb::test {
namespace {

constexpr int kKills = 200;
constexpr int kIdLength = 16;
constexpr long long kMaxWindowMicroseconds = 200'000;

std::string idOf(int number)
{
    const std::string digits = std::to_string(number);
    return std::string(kIdLength - digits.size(), '0') + digits;
}

// A station process, started and waited for until it is up.
class StationProcess {
public:
    StationProcess(const std::filesystem::path &folder, pid_t reader)
    {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0)
            return;
        const std::string folderText = folder.string();
        const std::string readerText = std::to_string(reader);
        std::array<char *, 4> argv{const_cast<char *>(TEB_STATION_RUNNER), const_cast<char *>(folderText.c_str()),
                                   const_cast<char *>(readerText.c_str()), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        if (posix_spawn(&m_pid, TEB_STATION_RUNNER, &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeEnds[1]);
        m_output = pipeEnds[0];
        m_ready = readWord() == "ready";
    }
    ~StationProcess()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_output >= 0)
            ::close(m_output);
    }

    bool ready() const { return m_ready; }
    void kill()
    {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    // True when it ran to its end by itself (the source is exhausted).
    bool finished()
    {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) != m_pid)
            return false;
        m_pid = -1;
        return true;
    }

private:
    std::string readWord()
    {
        std::string word;
        char c = 0;
        while (::read(m_output, &c, 1) == 1 && c != '\n')
            word.push_back(c);
        return word;
    }

    pid_t m_pid = -1;
    int m_output = -1;
    bool m_ready = false;
};

// What the transponders hold at the end, from the reader's log of the writes
// that took effect: per UID, pages 1 and 2.
std::map<std::string, std::string> carrierIdsOnTransponders(const std::filesystem::path &writeLog)
{
    std::map<std::string, std::array<std::string, 2>> pages;
    std::istringstream lines(readFileBytes(writeLog));
    std::string uid, command, page, hex;
    while (lines >> uid >> command >> page >> hex) {
        if (page == "1" || page == "2")
            pages[uid][page == "1" ? 0 : 1] = hex;
    }
    std::map<std::string, std::string> ids;
    for (const auto &[tag, hexPages] : pages) {
        const std::string hexId = hexPages[0] + hexPages[1];
        if (hexId.size() != 2 * kIdLength)
            continue; // a page never written: no whole carrier ID on this tag
        std::string id;
        for (std::size_t i = 0; i < hexId.size(); i += 2)
            id.push_back(static_cast<char>(std::stoi(hexId.substr(i, 2), nullptr, 16)));
        ids[tag] = id;
    }
    return ids;
}

class JournalKillTrials : public ::testing::Test {
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

    void runTrials(const std::string &label, std::string carrierIdMax = "1000000")
    {
        writeAutomaticStation(dir.path(), job, carrierIdMax);
        ReaderSimulator reader(dir.path(), {"--family", "orvex", "--write-log", (dir / "writes.log").string()}, "COM7");
        ASSERT_TRUE(reader.ready());
        std::mt19937 random(20261207);
        long long window = 50'000;
        int exhausted = 0;
        for (int kill = 0; kill < kKills; ++kill) {
            StationProcess station(dir.path(), reader.pid());
            ASSERT_TRUE(station.ready()) << "trial " << kill;
            std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<long long>(0, window)(random)));
            if (station.finished()) {
                ++exhausted;
                break;
            }
            station.kill();
            window = std::min(window + window / 8, kMaxWindowMicroseconds);
        }
        check(label, exhausted);
    }

    void check(const std::string &label, int exhausted)
    {
        const auto onTags = carrierIdsOnTransponders(dir / "writes.log");
        std::map<std::string, std::set<std::string>> tagsOfId;
        for (const auto &[uid, id] : onTags)
            tagsOfId[id].insert(uid);
        char host[256] = {};
        ::gethostname(host, sizeof host - 1);
        // As the station's next start would: its cycles still reserved were cut off.
        auto journal = CarrierIdJournal::openFile(journalFilePath(dir.path()), std::string(host) + ":" + dir.path().string());
        const auto cutOff = journal->closeInterruptedCycles();
        int programmed = 0;
        int uncertain = 0;
        for (const auto &[id, tags] : tagsOfId) {
            EXPECT_EQ(tags.size(), 1u) << "carrier ID " << id << " is on " << tags.size() << " transponders";
            const auto holder = journal->holderOf(id);
            ASSERT_TRUE(holder) << "carrier ID " << id << " is on a tag but not in the journal";
            EXPECT_EQ(holder->uid, *tags.begin()) << id;
            EXPECT_TRUE(holder->state == CycleState::Programmed || holder->state == CycleState::Uncertain) << id;
            (holder->state == CycleState::Programmed ? programmed : uncertain) += 1;
        }
        for (const auto &[uid, id] : onTags) {
            const auto programmedEntry = journal->programmedFor(uid);
            const auto open = journal->unfinishedFor(uid);
            EXPECT_TRUE((programmedEntry && programmedEntry->carrierId == id) || (open && open->carrierId == id)) << uid;
        }
        std::printf("%s: %d kills, %zu transponders carry a carrier ID, %d programmed, %d uncertain, "
                    "%zu cut off at the last kill; %s\n",
                    label.c_str(), kKills, onTags.size(), programmed, uncertain, cutOff.size(),
                    exhausted ? "the source ran out" : "the source did not run out");
        EXPECT_GT(programmed, kKills / 2) << "the trials programmed too little to prove anything";
    }

    TempDir dir;
    ParameterSet job;
};

TEST_F(JournalKillTrials, DecimalCounter)
{
    runTrials("decimal counter");
}

TEST_F(JournalKillTrials, CsvFile)
{
    job.useDecimalCounter = false;
    job.useCsvFile = true;
    job.csvFileName = "ids.csv";
    std::string csv = "Carrier ID,done\r\n";
    for (int row = 1; row <= 20'000; ++row)
        csv += idOf(row) + ",\r\n";
    writeFileBytes(dir / "ids.csv", csv);
    runTrials("csv file");
}

TEST_F(JournalKillTrials, CompleteDataSets)
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
    writeFileBytes(dir / "sets.csv", csv);
    runTrials("complete data sets");
}

} // namespace
} // namespace teb::test
