// A failing disk under the running station: each write, sync, rename and
// open of the journal, the CSV file, the record file, the protocol file, the
// settings and the set file fails in turn (disk full, I/O error, read-only)
// during a cycle, at start, at "Config" / "Save" and at close. No failure
// passes for success, nothing stored before is damaged, and once the disk is
// back the station goes on as before.
#include "failing_disk.h"

#include "windows/main/cqv58_dlg_fixture.h"
#include "history/missing_records.h"
#include "params/parameter_set_file.h"
#include "support/automatic_job.h"
#include "support/counter_entry.h"
#include "support/fake_cauto_dlg_view.h"
#include "support/trial_data.h"
#include "support/xml_check.h"
#include "windows/config/config_control.h"

#include <cerrno>
#include <cstring>

namespace teb::test {
namespace {

using failing_disk::Call;

enum class Moment { Cycle, CsvCycle, Start, ConfigSave, Close };

struct Row {
    std::string file;
    Call call;
    int error;
    Moment moment;
};

void PrintTo(const Row &row, std::ostream *out)
{
    *out << row.file << " " << failing_disk::callName(row.call) << " " << ::strerrordesc_np(row.error);
}

std::vector<Row> table()
{
    const std::vector<std::tuple<std::string, std::vector<Call>, Moment>> files{
        {"TagEncoderBench.journal", {Call::Write, Call::Sync}, Moment::Cycle},
        {"TagEncoderBench.journal", {Call::Open}, Moment::Start},
        {"ids.csv", {Call::Open, Call::Write, Call::Sync, Call::Rename}, Moment::CsvCycle},
        {"records.xml", {Call::Open, Call::Write, Call::Sync}, Moment::Cycle},
        {"IntProt_0.txt", {Call::Open, Call::Write}, Moment::Cycle},
        {"job.ini", {Call::Open, Call::Write, Call::Sync, Call::Rename}, Moment::ConfigSave},
        {"TagEncoderBench.ini", {Call::Open, Call::Write, Call::Sync, Call::Rename}, Moment::Close},
    };
    std::vector<Row> rows;
    for (const auto &[file, calls, moment] : files)
        for (const Call call : calls)
            for (const int error : {ENOSPC, EIO, EROFS})
                rows.push_back({file, call, error, moment});
    return rows;
}

class FailingDisk : public MainWindowTest, public ::testing::WithParamInterface<Row> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(simulator.ready());
        ParameterSet set = automaticJob();
        if (GetParam().moment == Moment::CsvCycle)
            useIdFile(set, dir / "ids.csv", 20);
        writeAutomaticStation(dir.path(), set);
    }
    void TearDown() override { failing_disk::disarm(); }

    void arm() { failing_disk::arm({GetParam().file, GetParam().call, GetParam().error}); }
    void diskBack()
    {
        EXPECT_GT(failing_disk::failedCalls(), 0) << "the fault was never met";
        failing_disk::disarm();
    }

    std::string programOne()
    {
        dialogs.messages.clear();
        simulator.newTransponder();
        window->tick(kCycleTimerId);
        click(Control::OneButton);
        window->tick(kCycleTimerId);
        window->tick(kRequestTimerId); // a message the cycle kept for after it
        return shown(Control::ResultVerdict);
    }

    // Every programmed transponder holds its own carrier ID in the journal,
    // and a programmed CSV row has its "X" (made late at the latest).
    void expectStoredWhole()
    {
        auto journal = CarrierIdJournal::openFile(journalFilePath(dir.path()), "check");
        for (const auto &[uid, id] : carrierIdsOnTransponders(dir / "writes.log")) {
            const auto holder = journal->holderOf(id);
            ASSERT_TRUE(holder) << id << " is on " << uid << " but not in the journal";
            EXPECT_EQ(holder->uid, uid);
        }
        EXPECT_EQ(xmlFaults(dir / "records.xml"), "");
        if (GetParam().moment == Moment::CsvCycle) {
            const std::string marked = "Carrier ID,done\r\n" + idOf(1) + ",X\r\n" + idOf(2) + ",X\r\n" + idOf(3) +
                                       ",X\r\n" + idOf(4) + ",X\r\n" + idOf(5) + ",\r\n";
            EXPECT_EQ(readFileBytes(dir / "ids.csv").substr(0, marked.size()), marked);
        }
    }

    void expectMissingRecordNamedAtStart()
    {
        window->destroy();
        window.reset();
        dialogs.messages.clear();
        start();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_THAT(dialogs.messages[0].text, ::testing::HasSubstr("(set job):\r\n  " + idOf(2) + " on UID"));
    }

    ReaderSimulator simulator{dir.path(), {"--family", "orvex", "--write-log", (dir / "writes.log").string()}, "COM7"};
};

TEST_P(FailingDisk, NoFailurePassesForSuccessAndTheStationGoesOn)
{
    const Row row = GetParam();
    switch (row.moment) {
    case Moment::Cycle:
    case Moment::CsvCycle: {
        start();
        ASSERT_EQ(programOne(), "PASS");
        arm();
        const std::string verdict = programOne();
        diskBack();
        EXPECT_FALSE(dialogs.messages.empty()) << "the failure was not reported";
        if (row.file != "IntProt_0.txt" && row.moment != Moment::CsvCycle) {
            EXPECT_EQ(verdict, "FAIL");
        }
        EXPECT_EQ(programOne(), "PASS") << (dialogs.messages.empty() ? "" : dialogs.messages[0].text);
        ASSERT_EQ(programOne(), "PASS");
        expectStoredWhole();
        if (row.file == "records.xml")
            expectMissingRecordNamedAtStart();
        break;
    }
    case Moment::Start:
        arm();
        start();
        EXPECT_FALSE(dialogs.messages.empty()) << "the failure was not reported";
        EXPECT_EQ(programOne(), "FAIL");
        diskBack();
        EXPECT_EQ(programOne(), "PASS") << (dialogs.messages.empty() ? "" : dialogs.messages[0].text);
        expectStoredWhole();
        break;
    case Moment::ConfigSave: {
        start();
        const std::string before = readFileBytes(dir / "job.ini");
        const auto saveOnce = [&] {
            std::string note;
            FakeCAutoDlgView configView;
            dialogs.configDialog = [&](CAutoDlg &editor) {
                editor.open(configView);
                configView.answers = {MessageAnswer::Yes};
                editor.save();
                note = configView.text(ConfigControl::SaveNote);
                editor.clicked(ConfigControl::CancelButton);
                return DialogResult::Cancel;
            };
            window->menuCommand(MenuItem::Config);
            return note;
        };
        arm();
        EXPECT_TRUE(saveOnce().starts_with("Not saved")) << "a failed save reported as saved";
        diskBack();
        EXPECT_EQ(readFileBytes(dir / "job.ini"), before);
        EXPECT_TRUE(saveOnce().starts_with("Saved"));
        EXPECT_EQ(programOne(), "PASS");
        break;
    }
    case Moment::Close: {
        start();
        const std::string before = settingsFile();
        arm();
        window->destroy();
        window.reset();
        diskBack();
        ASSERT_FALSE(dialogs.messages.empty());
        EXPECT_EQ(dialogs.messages.back().text, std::string(kSettingsNotSavedText));
        EXPECT_EQ(settingsFile(), before);
        dialogs.messages.clear();
        start();
        EXPECT_EQ(programOne(), "PASS");
        break;
    }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, FailingDisk, ::testing::ValuesIn(table()), [](const auto &info) {
    std::string name = info.param.file + "_" + failing_disk::callName(info.param.call) + "_" +
                       ::strerrorname_np(info.param.error);
    std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)) && c != '_'; });
    return name;
});

// A reservation committed on its own (a CSV row, a manual write): the disk
// refusing its commit must reach the station, whatever SQLite does with the
// statement's own commit.
TEST(FailingDiskJournal, AReservationTheDiskRefusedIsReportedAndNotHeld)
{
    TempDir dir;
    auto journal = CarrierIdJournal::openFile(journalFilePath(dir.path()), "bench");
    for (const Call call : {Call::Write, Call::Sync}) {
        failing_disk::arm({"TagEncoderBench.journal", call, EIO});
        EXPECT_THROW(journal->reserve(counterEntry("0001", "E0040150")), JournalError) << failing_disk::callName(call);
        failing_disk::disarm();
        journal = CarrierIdJournal::openFile(journalFilePath(dir.path()), "bench");
        EXPECT_FALSE(journal->holderOf("0001")) << failing_disk::callName(call);
    }
    EXPECT_NO_THROW(journal->reserve(counterEntry("0001", "E0040150")));
}

} // namespace
} // namespace teb::test
