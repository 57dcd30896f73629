// The workbooks as written into real files: their layout line for line
// against the files in golden/ and the escaping of values, each file checked
// by xmllint.
#include "records/record_files.h"
#include "records/spreadsheet_rows.h"

#include "support/temp_dir.h"
#include "support/xml_check.h"

#include <gtest/gtest.h>

#include <ctime>
#include <iomanip>
#include <sstream>

namespace teb::records {
namespace {

using test::readFileBytes;
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
    std::array<bool, pageCount> filled{};
    filled[0] = filled[1] = true;
    std::array<std::string, pageCount> hex, ascii;
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

} // namespace
} // namespace teb::records
