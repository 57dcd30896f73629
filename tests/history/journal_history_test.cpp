// The history window's model: the journal listed newest first, searched,
// exported as CSV, and a set's record file written again.
#include "windows/journal_history/cjournal_dlg.h"
#include "history/missing_records.h"
#include "journal/carrier_id_journal.h"
#include "records/spreadsheet_rows.h"
#include "params/parameter_set.h"
#include "support/temp_dir.h"
#include "support/xml_check.h"

#include <gtest/gtest.h>

#include <fstream>

namespace teb {
namespace {

class RecordingJournalView : public CJournalDlgView {
public:
    std::string searchText() const override { return search; }
    void showRows(const std::vector<HistoryRow> &shown) override { rows = shown; }
    int selectedRow() const override { return -1; }
    void showStatus(const std::string &) override {}
    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &) override { return answer; }
    void showMessage(const MessageRequest &request) override { messages.push_back(request.text); }

    std::string search;
    std::vector<HistoryRow> rows;
    std::optional<std::filesystem::path> answer;
    std::vector<std::string> messages;
};

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
        JournalEntry entry;
        entry.carrierId = id;
        entry.uid = uid;
        entry.setName = set;
        entry.source = "Decimal counter";
        entry.pagesHex = pages;
        entry.pagesLocked = "11" + std::string(15, '0');
        journal->finish(journal->reserve(entry).id, state);
    }

    test::TempDir dir;
    std::unique_ptr<CarrierIdJournal> journal =
        CarrierIdJournal::openFile(journalFilePath(dir.path()), "bench", [] { return std::string("2026-12-07 10:00:00"); });
    CJournalDlg model{*journal, dir.path(), "job", [](const std::string &) { return ParameterSet{}; }};
    RecordingJournalView view;
};

TEST_F(JournalHistory, ListsNewestFirstAndSearches)
{
    model.open(view);
    ASSERT_EQ(view.rows.size(), 3u);
    EXPECT_EQ(view.rows[0][0], "A,\"1");
    EXPECT_EQ(view.rows[1][2], "uncertain");
    view.search = "E0040151";
    model.searchChanged();
    ASSERT_EQ(view.rows.size(), 1u);
    EXPECT_EQ(view.rows[0][0], "0000000000000002");
}

TEST_F(JournalHistory, ExportsTheListAsCsvWithEveryFieldQuoted)
{
    model.open(view);
    view.answer = dir / "list.csv";
    model.exportClicked();
    const std::string csv = test::readFileBytes(dir / "list.csv");
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              R"("Carrier ID","UID","State","Set","Source","Position","Reserved","Finished","Station")");
    EXPECT_NE(csv.find(R"("A,""1","E0040152","programmed","other")"), std::string::npos);
}

TEST_F(JournalHistory, WritesASetsRecordFileAgainFromItsProgrammedCycles)
{
    model.open(view);
    view.answer = dir / "again.xml";
    model.rewriteRecordsClicked();
    EXPECT_EQ(view.messages.back(), "1 records of set job written to " + (dir / "again.xml").string() + ".");
    const std::string file = test::readFileBytes(dir / "again.xml");
    EXPECT_EQ(test::xmlFaults(dir / "again.xml"), "");
    EXPECT_NE(file.find(">E0040150<"), std::string::npos);
    EXPECT_EQ(file.find(">E0040151<"), std::string::npos); // uncertain: no record
    EXPECT_NE(file.find("30 30 30 30 30 30 30 31"), std::string::npos); // its page 2
    EXPECT_NE(file.find("> 7/12/26<"), std::string::npos); // dated when its cycle ended

    model.rewriteRecordsClicked(); // never over an existing file
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
    EXPECT_TRUE(journal->unrecorded().empty());
}

} // namespace
} // namespace teb
