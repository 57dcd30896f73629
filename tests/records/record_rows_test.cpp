// The workbooks as written into real files: their layout line for line
// against the files in golden/ and the escaping of values, each file checked
// by xmllint; appending in place: the tail search, files the station must not
// write to, and write faults half way through an entry.
#include "records/record_files.h"
#include "records/spreadsheet_rows.h"

#include "support/temp_dir.h"
#include "support/xml_check.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <future>
#include <iomanip>
#include <sstream>
#include <utility>
#include <vector>

namespace teb::records {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;
using test::xmlFaults;

// 5 March 2026, 07:04:09 local time.
WallClock fixedClock()
{
    std::tm local{};
    std::istringstream("2026-03-05 07:04:09") >> std::get_time(&local, "%Y-%m-%d %H:%M:%S");
    local.tm_isdst = -1;
    const auto at = std::chrono::system_clock::from_time_t(std::mktime(&local));
    return [at] { return at; };
}

std::string golden(const std::string &name) { return readFileBytes(std::filesystem::path(TEB_GOLDEN_DIR) / name); }

ParameterSet counterJob()
{
    ParameterSet set;
    set.operatorBadgeId = "B7";
    set.partNumber = "PN-1";
    set.workOrderNumber = "WO 9";
    set.quantity = "100";
    set.useDecimalCounter = true;
    set.carrierIdOffset = "0";
    set.carrierIdLength = "8";
    set.lockCarrierId = true;
    set.memoryPage = "1";
    set.transponderOrvex = true;
    set.pages[0].locked = true;
    return set;
}

// Pages 1 and 2 filled, page 1 locked by the set.
RecordEntry twoPageEntry(const ParameterSet &set)
{
    std::array<bool, kPageCount> filled{};
    filled[0] = filled[1] = true;
    std::array<std::string, kPageCount> hex, ascii;
    hex[0] = "30 31 32 33 34 35 36 37";
    ascii[0] = "0 1 2 3 4 5 6 7";
    hex[1] = "41 42 43 44 45 46 47 48";
    ascii[1] = "A B C D E F G H";
    return makeEntry("E0040100", filled, hex, ascii, set);
}

class RecordRows : public testing::Test {
protected:
    test::TempDir dir;
    const ParameterSet set = counterJob();
};

// The record file: skeleton, the job header once, then rows A and B per
// entry. The manual log: each entry under a header of its own; its start
// request for the job header stays for the record file.
TEST_F(RecordRows, NewFilesAreLaidOutAsTheGoldenOnes)
{
    const auto record = dir / "record.xml";
    const auto log = dir / "manual.xml";
    bool pending = false; // a new file asks for the header by itself
    for (int entry = 0; entry < 2; ++entry)
        ASSERT_EQ(appendRecord(record, twoPageEntry(set), "Counter job", set, pending, fixedClock()), AppendStatus::Appended);
    pending = true; // start-up or "Config"
    ASSERT_EQ(appendManualLog(log, ManualLogKind::Read, twoPageEntry(set), fixedClock()), AppendStatus::Appended);
    ASSERT_EQ(appendManualLog(log, ManualLogKind::Write, twoPageEntry(set), fixedClock()), AppendStatus::Appended);
    EXPECT_TRUE(pending);
    EXPECT_EQ(readFileBytes(record), golden("record.xml"));
    EXPECT_EQ(readFileBytes(log), golden("manual_log.xml"));
    EXPECT_EQ(xmlFaults(record), "");
    EXPECT_EQ(xmlFaults(log), "");

    ASSERT_EQ(appendRecord(record, twoPageEntry(set), "Counter job", set, pending, fixedClock()), AppendStatus::Appended);
    const std::string text = readFileBytes(record);
    EXPECT_NE(text.find("Procedure:"), text.rfind("Procedure:")) << "no second job header";
    EXPECT_FALSE(pending);
}

TEST_F(RecordRows, ValuesAreEscapedSoThatEveryByteLeavesTheFileWellFormed)
{
    const std::pair<std::string, std::string> cases[] = {
        {"A&B <C> \"D\"", "A&amp;B &lt;C&gt; &quot;D&quot;"},
        {"\xFF\x80 \xE9\x7F", "&#255;&#128; &#233;&#127;"},
        {std::string("\x00\x01\x1F", 3), "&#9216;&#9217;&#9247;"},
        {"\t\n\r", "&#9;&#10;&#13;"},
    };
    for (const auto &[value, written] : cases)
        EXPECT_EQ(escapeValue(value), written);

    std::string every;
    for (int byte = 0; byte < 256; ++byte)
        every.push_back(static_cast<char>(byte));
    RecordEntry entry;
    entry.uid = every;
    for (EntryPage &page : entry.pages)
        page = {true, every, every, false};
    bool pending = true;
    ParameterSet job;
    job.partNumber = every;
    const auto file = dir / "bytes.xml";
    ASSERT_EQ(appendRecord(file, entry, every, job, pending, fixedClock()), AppendStatus::Appended);
    ASSERT_EQ(appendManualLog(file, ManualLogKind::Write, entry, fixedClock()), AppendStatus::Appended);
    EXPECT_EQ(xmlFaults(file), "");
}

// Lets the n-th file operation of an append fail, a write after taking only
// part of its bytes, as a full disk does.
class FailingOps : public WorkbookFileOps {
public:
    explicit FailingOps(int failingCall) : m_failingCall(failingCall) {}

    bool writeAt(int fd, std::string_view bytes, off_t offset) override
    {
        if (fails())
            return WorkbookFileOps::writeAt(fd, bytes.substr(0, bytes.size() / 2), offset) && false;
        return WorkbookFileOps::writeAt(fd, bytes, offset);
    }
    bool truncate(int fd, off_t length) override { return !fails() && WorkbookFileOps::truncate(fd, length); }
    bool sync(int fd) override { return !fails() && WorkbookFileOps::sync(fd); }

    int calls() const { return m_calls; }

private:
    bool fails() { return ++m_calls == m_failingCall; }

    int m_failingCall;
    int m_calls = 0;
};

RecordEntry filledEntry()
{
    RecordEntry entry;
    entry.uid = "E0040100";
    for (EntryPage &page : entry.pages)
        page = {true, "30 31 32 33 34 35 36 37", "0 1 2 3 4 5 6 7", true};
    return entry;
}

class WorkbookAppend : public testing::Test {
protected:
    AppendStatus append(const std::filesystem::path &file, WorkbookFileOps &ops = WorkbookFileOps::system())
    {
        return appendManualLog(file, ManualLogKind::Write, filledEntry(), systemWallClock(), ops);
    }

    // A manual log with one entry.
    std::filesystem::path startedLog()
    {
        const auto file = dir / "log.xml";
        EXPECT_EQ(append(file), AppendStatus::Appended);
        return file;
    }

    TempDir dir;
};

// Only exactly the station's own tail counts as one: a file cut anywhere in it,
// or ending otherwise, is never written to.
TEST_F(WorkbookAppend, AFileWithoutExactlyTheStationsOwnTailIsNeverWrittenTo)
{
    const auto file = startedLog();
    const std::string whole = readFileBytes(file);
    const std::string body = whole.substr(0, whole.size() - closingTail().size());
    std::vector<std::pair<std::string, std::string>> foreign{
        {"a spreadsheet program's additions after the table",
         body + "  </Table>\r\n  <WorksheetOptions/>\r\n </Worksheet>\r\n</Workbook>\r\n"},
        {"LF line ends", body + "  </Table>\n </Worksheet>\n</Workbook>\n"},
        {"the tail glued to a row", body.substr(0, body.size() - 2) + std::string(closingTail())},
        {"an entry cut short over the old tail", body + "   <Row>\r\n  " + std::string(closingTail()).substr(12)},
        {"an entry cut short after the old tail", body + "   <Row>\r\n    <Cell><Data ss:Type=\"String\"> 5/0"},
    };
    for (std::size_t length = body.size() - 2; length < whole.size(); ++length)  // includes "no final line end"
        foreign.emplace_back("cut at " + std::to_string(length), whole.substr(0, length));
    for (const auto &[name, text] : foreign) {
        SCOPED_TRACE(name);
        writeFileBytes(file, text);
        EXPECT_EQ(append(file), AppendStatus::TailNotFound);
        EXPECT_EQ(readFileBytes(file), text);
    }
}

// A kill can cut the one write that puts an entry over the old tail: the
// note the append leaves beside the file lets the next append roll the cut
// entry back. A finished append whose note stayed loses nothing.
TEST_F(WorkbookAppend, AnEntryCutOffByAKillIsRolledBackByTheNextAppend)
{
    const auto file = startedLog();
    const auto note = dir / "log.xml.appending";
    const std::string whole = readFileBytes(file);
    const std::size_t tailAt = whole.size() - closingTail().size();
    writeFileBytes(file, whole.substr(0, tailAt) + "   <Row>\r\n    <Cell><Data ss:Type=\"String\"> 5/0");
    writeFileBytes(note, std::to_string(tailAt) + "\n");
    EXPECT_EQ(append(file), AppendStatus::Appended);
    EXPECT_EQ(xmlFaults(file), "");
    EXPECT_EQ(readFileBytes(file).find(" 5/0"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(note));

    const std::string two = readFileBytes(file);
    writeFileBytes(note, std::to_string(tailAt) + "\n");
    EXPECT_EQ(append(file), AppendStatus::Appended);
    EXPECT_TRUE(readFileBytes(file).starts_with(two.substr(0, two.size() - closingTail().size())));
}

TEST_F(WorkbookAppend, FilesThatCannotBeOpenedAreReportedAndNotCreated)
{
    EXPECT_EQ(append(dir / "missing" / "log.xml"), AppendStatus::CannotOpen);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));

    const auto file = startedLog();
    const std::string before = readFileBytes(file);
    ::chmod(file.c_str(), S_IRUSR);
    if (::geteuid() != 0) {
        EXPECT_EQ(append(file), AppendStatus::CannotOpen);
        EXPECT_EQ(readFileBytes(file), before);
    }
}

TEST_F(WorkbookAppend, AFailedWriteCutOrSyncLeavesTheFileAsItWas)
{
    const auto file = startedLog();
    const std::string before = readFileBytes(file);
    FailingOps count(0);
    ASSERT_EQ(append(file, count), AppendStatus::Appended);
    ASSERT_EQ(count.calls(), 3); // rows with tail, cut, sync
    writeFileBytes(file, before);

    for (int failing = 1; failing <= count.calls(); ++failing) {
        FailingOps ops(failing);
        EXPECT_EQ(append(file, ops), AppendStatus::WriteFailed) << "call " << failing;
        EXPECT_EQ(readFileBytes(file), before) << "call " << failing;
        EXPECT_EQ(xmlFaults(file), "");
        EXPECT_EQ(append(file), AppendStatus::Appended) << "after failing call " << failing;
        writeFileBytes(file, before);
    }
}

TEST_F(WorkbookAppend, ASkeletonCutShortOrNeverWrittenIsStartedAfresh)
{
    const auto file = dir / "log.xml";
    const std::string skeleton = emptyWorkbook(WorkbookKind::ManualLog);
    for (const std::size_t length : {std::size_t{1}, skeleton.size() / 2, skeleton.size() - 1}) {
        writeFileBytes(file, skeleton.substr(0, length));
        EXPECT_EQ(append(file), AppendStatus::Appended) << length;
        EXPECT_TRUE(readFileBytes(file).starts_with(skeleton.substr(0, skeleton.size() - closingTail().size())));
    }
    for (int failing = 1; failing <= 2; ++failing) {
        const auto fresh = dir / ("new" + std::to_string(failing) + ".xml");
        FailingOps ops(failing);
        EXPECT_EQ(append(fresh, ops), AppendStatus::WriteFailed);
        EXPECT_EQ(std::filesystem::file_size(fresh), 0u);
        EXPECT_EQ(append(fresh), AppendStatus::Appended);
        EXPECT_EQ(xmlFaults(fresh), "");
    }
}

// Two stations appending to one record file at once (each through its own
// opening of the file, as two processes do): every append reported as
// written is in the file, once, and the file stays well-formed.
TEST_F(WorkbookAppend, TwoStationsAppendingToOneFileLoseNoRecord)
{
    constexpr int kRecords = 300;
    const auto file = dir / "shared.xml";
    const auto station = [&] {
        ParameterSet set;
        bool headerPending = true;
        int written = 0;
        for (int i = 0; i < kRecords; ++i)
            written += appended(appendRecord(file, filledEntry(), "job", set, headerPending, systemWallClock(),
                                             WorkbookFileOps::unsynced()));
        return written;
    };
    auto other = std::async(std::launch::async, station);
    const int reported = station() + other.get();
    EXPECT_EQ(reported, 2 * kRecords);
    EXPECT_EQ(test::recordsOf(file, "E0040100"), static_cast<std::size_t>(reported));
    EXPECT_EQ(xmlFaults(file), "");
}

} // namespace
} // namespace teb::records
