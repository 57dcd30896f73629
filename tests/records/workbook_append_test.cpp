// Appending in place: the tail search, files the station must not write to,
// and write faults half way through an entry.
#include "records/record_files.h"

#include "support/temp_dir.h"
#include "support/xml_check.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <future>
#include <utility>
#include <vector>

namespace teb::records {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;
using test::xmlFaults;

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

// A skeleton cut short, or one whose writing failed and left the file empty,
// is started afresh.
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
