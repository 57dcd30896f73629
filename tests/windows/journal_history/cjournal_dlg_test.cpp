// The history window's model: the journal listed a page at a time, searched
// by prefix, exported as CSV, and a set's record file written again, the
// last two on a thread of their own; and the view other systems read.
#include "windows/journal_history/cjournal_dlg.h"
#include "history/missing_records.h"
#include "journal/carrier_id_journal.h"
#include "records/spreadsheet_rows.h"
#include "params/parameter_set.h"
#include "support/counter_entry.h"
#include "support/fake_journal_view.h"
#include "support/temp_dir.h"
#include "support/sqlite_shell.h"
#include "support/xml_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

namespace teb {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using test::sqliteAnswer;

// `rows` programmed counter cycles of set "job" in one transaction: carrier
// IDs 00000001.., UIDs E0040000..; and four whose IDs hold "%" and "_".
void fillJournal(const std::filesystem::path &file, int rows)
{
    const std::string columns =
        "(carrier_key, carrier_hex, carrier_id, numeric_id, id_length, set_name, source, position, csv_file,"
        " csv_row_hex, csv_delimiter, csv_marked, counter_page_value, counter_start, job, uid, state, reserved_at,"
        " finished_at, station, pages_hex, pages_locked)";
    const std::string values =
        " SELECT hex(id), hex(id), id, NULL, length(id), 'job', 'Decimal counter', '1', '', '', '', 0, '', '', 0,"
        " uid, 'programmed', '2026-01-01 08:00:00', '2026-01-01 08:00:05', 'bench',"
        " '3031323334353637' || substr(hex(zeroblob(16)), 1, 16), '11000000000000000'";
    const std::string sql =
        "BEGIN; INSERT INTO cycles " + columns + " WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n"
        " WHERE i < " + std::to_string(rows) + "), c(id, uid) AS (SELECT printf('%08d', i), printf('E004%08X', i)"
        " FROM n UNION ALL VALUES ('A%1', 'X1'), ('A_1', 'X2'), ('AB1', 'X3'), ('AX1', 'X4'))" + values +
        " FROM c; COMMIT;";
    ASSERT_EQ(sqliteAnswer(file, sql), "");
}

class JournalHistory : public ::testing::Test {
protected:
    JournalHistory()
    {
        const std::string pages = "3030303030303030,3030303030303031" + std::string(15, ',');
        add("0000000000000001", "E0040150", "job", CycleState::Programmed, pages);
        add("0000000000000002", "E0040151", "job", CycleState::Uncertain, "3030303030303030,3030303030303032" + std::string(15, ','));
        add("A,\"1", "E0040152", "other", CycleState::Programmed, "");
    }
    void add(const std::string &id, const std::string &uid, const std::string &set, CycleState state,
             const std::string &pages)
    {
        JournalEntry entry = test::counterEntry(id, uid);
        entry.setName = set;
        entry.pagesHex = pages;
        entry.pagesLocked = "11" + std::string(15, '0');
        journal->finish(journal->reserve(entry).id, state);
    }
    // The task the model started, ticked as the view's timer would until it ends.
    void finishTask()
    {
        ASSERT_TRUE(view.task) << "no task started";
        for (int tick = 0; view.task && tick < 6000; ++tick) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            model.taskTick();
        }
        ASSERT_FALSE(view.task) << "the task did not end";
    }

    test::TempDir dir;
    std::unique_ptr<CarrierIdJournal> journal =
        CarrierIdJournal::openFile(journalFilePath(dir.path()), "bench", [] { return std::string("2026-12-07 10:00:00"); });
    CJournalDlg model{*journal, dir.path(), "job", [](const std::string &) { return ParameterSet{}; }};
    test::FakeJournalView view;
};

TEST_F(JournalHistory, ListsNewestFirstAndSearches)
{
    model.open(view);
    ASSERT_EQ(view.rows.size(), 3u);
    EXPECT_EQ(view.rows[0][0], "A,\"1");
    EXPECT_EQ(view.rows[1][2], "uncertain");
    EXPECT_FALSE(view.newer || view.older);
    view.search = "e0040151"; // a UID in any case
    model.searchChanged();
    ASSERT_EQ(view.rows.size(), 1u);
    EXPECT_EQ(view.rows[0][0], "0000000000000002");
    view.search = "0040151"; // not its start
    model.searchChanged();
    EXPECT_TRUE(view.rows.empty());
}

TEST_F(JournalHistory, ExportsEveryCycleTheSearchFindsAsCsvWithEveryFieldQuoted)
{
    model.open(view);
    view.answer = dir / "list.csv";
    model.exportClicked();
    finishTask();
    EXPECT_EQ(view.messages.back(), "3 cycles written to " + (dir / "list.csv").string() + ".");
    const std::string csv = test::readFileBytes(dir / "list.csv");
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              R"("Carrier ID","UID","State","Set","Source","Position","Reserved","Finished","Station")");
    EXPECT_NE(csv.find(R"("A,""1","E0040152","programmed","other")"), std::string::npos);

    view.search = "A,";
    model.searchChanged();
    model.exportClicked(); // over the earlier file
    finishTask();
    EXPECT_EQ(view.messages.back(), "1 cycle written to " + (dir / "list.csv").string() + ".");
}

TEST_F(JournalHistory, WritesASetsRecordFileAgainFromItsProgrammedCycles)
{
    model.open(view);
    view.answer = dir / "again.xml";
    model.rewriteRecordsClicked();
    finishTask();
    EXPECT_EQ(view.messages.back(), "1 records of set job written to " + (dir / "again.xml").string() + ".");
    const std::string file = test::readFileBytes(dir / "again.xml");
    EXPECT_EQ(test::xmlFaults(dir / "again.xml"), "");
    EXPECT_NE(file.find(">E0040150<"), std::string::npos);
    EXPECT_EQ(file.find(">E0040151<"), std::string::npos); // uncertain: no record
    EXPECT_NE(file.find("30 30 30 30 30 30 30 31"), std::string::npos); // its page 2
    EXPECT_NE(file.find("> 7/12/26<"), std::string::npos); // dated when its cycle ended

    model.rewriteRecordsClicked(); // never over an existing file
    finishTask();
    EXPECT_NE(view.messages.back().find("could not be written"), std::string::npos);
    EXPECT_EQ(test::readFileBytes(dir / "again.xml"), file);
}

// A record a power cut took from the record file is named at every start
// until the journal window has written the set's records again.
TEST_F(JournalHistory, AProgrammedCycleWithoutItsRecordIsNamedUntilTheRecordsAreWritten)
{
    add("0000000000000003", "E0040153", "job", CycleState::Programmed, "");
    std::ofstream(dir / "records.xml") << records::dataCell("E0040150");
    const auto loadSet = [](const std::string &name) {
        ParameterSet set;
        set.logEnabled = name == "job";
        set.recordFileName = "records.xml";
        return set;
    };
    const std::vector<MissingRecords> missing = findMissingRecords(*journal, dir.path(), loadSet);
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing[0].file, dir / "records.xml");
    ASSERT_EQ(missing[0].entries.size(), 1u);
    EXPECT_EQ(missing[0].entries[0].uid, "E0040153");
    EXPECT_NE(missingRecordsText(missing).find("0000000000000003 on UID E0040153"), std::string::npos);
    ASSERT_EQ(journal->unrecorded().size(), 1u) << "the record found and the set without records are noted";

    model.open(view);
    view.answer = dir / "again.xml";
    model.rewriteRecordsClicked();
    finishTask();
    EXPECT_TRUE(journal->unrecorded().empty());
}

// Other systems read the programmed carriers through a view that does not
// change with the tables behind it.
TEST_F(JournalHistory, TheProgrammedCarriersViewIsSelectable)
{
    EXPECT_EQ(sqliteAnswer(journalFilePath(dir.path()),
                           "SELECT carrier_id, uid, set_name, job, station, reserved_at, finished_at, schema_version"
                           " FROM programmed_carriers ORDER BY entry_id"),
              "0000000000000001|E0040150|job|0|bench|2026-12-07 10:00:00|2026-12-07 10:00:00|4\n"
              "A,\"1|E0040152|other|0|bench|2026-12-07 10:00:00|2026-12-07 10:00:00|4\n");
}

// A fab's journal: 100,000 cycles, made in one transaction.
class LargeJournalHistory : public JournalHistory {
protected:
    LargeJournalHistory()
    {
        fillJournal(journalFilePath(dir.path()), kRows);
        view.answer = dir / "out.file";
    }
    static constexpr int kRows = 100'000;
};

TEST_F(LargeJournalHistory, ASearchFindsByPrefixTakingPercentAndUnderscoreAsThemselves)
{
    std::ostringstream statements;
    journal->logStatements(&statements);
    view.search = "0001234";
    model.open(view);
    ASSERT_EQ(view.rows.size(), 10u);
    for (std::size_t i = 0; i < view.rows.size(); ++i)
        EXPECT_EQ(view.rows[i][0], "0001234" + std::to_string(9 - i)) << "by carrier ID, largest first";
    EXPECT_THAT(view.status, HasSubstr("Cycles 1-10 of 10 whose carrier ID or UID starts with \"0001234\""));

    view.search = "E0040001869"; // the UIDs of 99984..99999 (0x18690..0x1869F)
    model.searchChanged();
    ASSERT_EQ(view.rows.size(), 16u);
    EXPECT_EQ(view.rows[0][1], "E0040001869F");
    EXPECT_EQ(view.rows[0][0], "00099999");
    for (const char *search : {"A%", "A_"}) {
        view.search = search;
        model.searchChanged();
        ASSERT_EQ(view.rows.size(), 1u) << search;
        EXPECT_EQ(view.rows[0][0], std::string(search) + "1");
    }
    journal->logStatements(nullptr);

    // Each question reads its index from where it starts: no scan of the cycles.
    std::set<std::string> seen;
    std::istringstream lines(statements.str());
    for (std::string statement; std::getline(lines, statement);) {
        if (statement.empty() || !seen.insert(statement).second)
            continue;
        const std::string plan = sqliteAnswer(journalFilePath(dir.path()), "EXPLAIN QUERY PLAN " + statement);
        EXPECT_THAT(plan, AllOf(Not(HasSubstr("SCAN cycles")), Not(HasSubstr("TEMP B-TREE")), Not(HasSubstr("rror"))))
            << statement;
    }
}

TEST_F(LargeJournalHistory, TheViewIsGivenAPageAtATime)
{
    view.search = "0";
    model.open(view);
    ASSERT_EQ(view.rows.size(), CJournalDlg::kPageRows);
    EXPECT_EQ(view.rows[0][0], "00100000");
    EXPECT_FALSE(view.newer);
    EXPECT_TRUE(view.older);
    EXPECT_THAT(view.status, HasSubstr("Cycles 1-200 of more than 10,000"));
    model.olderClicked();
    model.olderClicked();
    ASSERT_EQ(view.rows.size(), CJournalDlg::kPageRows);
    EXPECT_EQ(view.rows[0][0], "00099600");
    EXPECT_THAT(view.status, HasSubstr("Cycles 401-600 of"));
    model.newerClicked();
    EXPECT_EQ(view.rows[0][0], "00099800");

    view.search.clear(); // the whole journal, newest first
    model.searchChanged();
    ASSERT_EQ(view.rows.size(), CJournalDlg::kPageRows);
    EXPECT_EQ(view.rows[0][0], "AX1");
    EXPECT_THAT(view.status, HasSubstr("newest first"));
}

TEST_F(LargeJournalHistory, ACancelledExportOrRecordFileLeavesNoFile)
{
    model.open(view);
    model.exportClicked();
    model.cancelClicked();
    finishTask();
    view.answer = dir / "records.xml";
    model.rewriteRecordsClicked();
    model.cancelClicked();
    finishTask();
    EXPECT_THAT(view.status, HasSubstr("Cancelled: no record file was written"));
    EXPECT_TRUE(view.messages.empty());
    for (const std::string &name : test::fileNamesIn(dir.path()))
        EXPECT_THAT(name, AllOf(Not(HasSubstr("out.file")), Not(HasSubstr("records.xml"))));
}

} // namespace
} // namespace teb
