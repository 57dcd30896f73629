// The workbook's fixed lines, the entry rows, the header blocks and the
// escaping of values, as written into real files and checked by xmllint.
#include "records/record_files.h"
#include "records/spreadsheet_rows.h"
#include "records/workbook_skeleton.h"

#include "support/temp_dir.h"
#include "support/xml_check.h"

#include <gtest/gtest.h>

#include <ctime>
#include <sstream>
#include <vector>

namespace teb::records {
namespace {

using test::readFileBytes;
using test::writeFileBytes;
using test::TempDir;
using test::xmlFaults;

// 5 March 2026, 07:04:09 local time.
WallClock fixedClock()
{
    return [] {
        std::tm local{};
        local.tm_year = 2026 - 1900;
        local.tm_mon = 2;
        local.tm_mday = 5;
        local.tm_hour = 7;
        local.tm_min = 4;
        local.tm_sec = 9;
        local.tm_isdst = -1;
        return std::chrono::system_clock::from_time_t(std::mktime(&local));
    };
}

std::vector<std::string> crLfLines(const std::string &bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "bytes after the last CR LF";
    return lines;
}

std::vector<std::string> expectedSkeleton(const std::string &columnCount)
{
    std::vector<std::string> lines{
        R"(<?xml version="1.0"?>)",
        R"(<?mso-application progid="Excel.Sheet"?>)",
        R"(<Workbook xmlns="urn:schemas-microsoft-com:office:spreadsheet")",
        R"( xmlns:o="urn:schemas-microsoft-com:office:office")",
        R"( xmlns:x="urn:schemas-microsoft-com:office:excel")",
        R"( xmlns:ss="urn:schemas-microsoft-com:office:spreadsheet")",
        R"( xmlns:html="http://www.w3.org/TR/REC-html40">)",
        R"( <DocumentProperties xmlns="urn:schemas-microsoft-com:office:office">)",
        R"(  <Version>11.6360</Version>)",
        R"( </DocumentProperties>)",
        R"( <ExcelWorkbook xmlns="urn:schemas-microsoft-com:office:excel">)",
        R"(  <WindowHeight>10005</WindowHeight>)",
        R"(  <WindowWidth>10005</WindowWidth>)",
        R"(  <WindowTopX>120</WindowTopX>)",
        R"(  <WindowTopY>135</WindowTopY>)",
        R"(  <ProtectStructure>False</ProtectStructure>)",
        R"(  <ProtectWindows>False</ProtectWindows>)",
        R"( </ExcelWorkbook>)",
        R"( <Styles>)",
        R"(  <Style ss:ID="Default" ss:Name="Normal">)",
        R"(   <Alignment ss:Vertical="Bottom"/>)",
        R"(   <Borders/>)",
        R"(   <Font/>)",
        R"(   <Interior/>)",
        R"(   <NumberFormat/>)",
        R"(   <Protection/>)",
        R"(  </Style>)",
        R"(  <Style ss:ID="s21">)",
        R"(   <NumberFormat ss:Format="@"/>)",
        R"(  </Style>)",
        R"(  <Style ss:ID="s22">)",
        R"(   <NumberFormat ss:Format="0"/>)",
        R"(  </Style>)",
        R"( </Styles>)",
        R"( <Worksheet ss:Name="Tabelle1">)",
        R"(  <Table ss:ExpandedColumnCount=")" + columnCount + R"(" ss:ExpandedRowCount="1048576" x:FullColumns="1")",
        R"(   x:FullRows="1" ss:StyleID="s21" ss:DefaultColumnWidth="60">)",
    };
    std::vector<std::string> widths{"95.0", "45.0", "5.0", "65.0", "5.0"};
    for (int page = 1; page <= 17; ++page) {
        widths.insert(widths.end(), {"120.0", "30.0"});
        if (page < 17)
            widths.push_back("5.0");
    }
    for (const std::string &width : widths)
        lines.push_back(R"(   <Column ss:StyleID="s22" ss:Width=")" + width + R"("/>)");
    return lines;
}

const std::vector<std::string> kTailLines{"  </Table>", " </Worksheet>", "</Workbook>"};

std::string cell(const std::string &value) { return R"(    <Cell><Data ss:Type="String">)" + value + "</Data></Cell>"; }
std::string label(int column, const std::string &value)
{
    return R"(    <Cell ss:Index=")" + std::to_string(column) + R"("><Data ss:Type="String">)" + value + "</Data></Cell>";
}

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
    std::vector<std::string> linesOf(const std::filesystem::path &file)
    {
        EXPECT_EQ(xmlFaults(file), "");
        return crLfLines(readFileBytes(file));
    }

    TempDir dir;
};

TEST_F(RecordRows, ANewFileHasTheSkeletonByteForByteWithItsColumnCount)
{
    for (const auto kind : {WorkbookKind::RecordFile, WorkbookKind::ManualLog}) {
        const auto file = dir / (kind == WorkbookKind::RecordFile ? "record.xml" : "log.xml");
        bool pending = true;
        const RecordEntry entry;
        const AppendStatus status = kind == WorkbookKind::RecordFile
                                        ? appendRecord(file, entry, "Job", ParameterSet{}, pending, fixedClock())
                                        : appendManualLog(file, ManualLogKind::Read, entry, fixedClock());
        ASSERT_EQ(status, AppendStatus::Appended);
        const auto lines = linesOf(file);
        const auto skeleton = expectedSkeleton(kind == WorkbookKind::RecordFile ? "57" : "56");
        ASSERT_EQ(skeleton.size(), 92u);
        ASSERT_GT(lines.size(), 95u);
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 92), skeleton);
        EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()), kTailLines);
    }
}

// A manual log made before its rows were given the count they need keeps its own.
TEST_F(RecordRows, AnExistingManualLogKeepsTheColumnCountItDeclares)
{
    const auto file = dir / "log.xml";
    std::string old = emptyWorkbook(WorkbookKind::ManualLog);
    const std::string declared = R"(ss:ExpandedColumnCount="56")";
    old.replace(old.find(declared), declared.size(), R"(ss:ExpandedColumnCount="55")");
    writeFileBytes(file, old);
    ASSERT_EQ(appendManualLog(file, ManualLogKind::Write, RecordEntry{}, fixedClock()), AppendStatus::Appended);
    const std::string written = readFileBytes(file);
    EXPECT_EQ(written.substr(0, old.size() - closingTail().size()), old.substr(0, old.size() - closingTail().size()));
}

TEST_F(RecordRows, FirstRecordHasTheJobHeaderThenRowsAAndBAndTheSecondOnlyItsRows)
{
    const auto file = dir / "record.xml";
    const ParameterSet set = counterJob();
    bool pending = false; // a new file asks for the header by itself
    ASSERT_EQ(appendRecord(file, twoPageEntry(set), "Counter job", set, pending, fixedClock()), AppendStatus::Appended);
    EXPECT_FALSE(pending);
    const auto first = linesOf(file);

    std::vector<std::string> header{"   <Row>", "   </Row>", "   <Row>", "   </Row>", "   <Row>", "   </Row>",
                                    "   <Row>", cell("Procedure:"), label(2, "Counter job"), "   </Row>",
                                    "   <Row>", "   </Row>"};
    for (const auto &[name, value] : std::vector<std::pair<std::string, std::string>>{
             {"Operator badge ID#:", "B7"}, {"Part number:", "PN-1"}, {"Work order number:", "WO 9"}, {"Quantity:", "100"}})
        header.insert(header.end(), {"   <Row>", label(1, name), label(2, value), "   </Row>"});
    EXPECT_EQ(std::vector<std::string>(first.begin() + 92, first.begin() + 92 + header.size()), header);

    const std::string text = readFileBytes(file);
    for (const std::string &row : {label(1, "Decimal counter:") + "\r\n" + label(2, "true"),
                                   label(1, "Lock Carrier ID:") + "\r\n" + label(2, "true"),
                                   label(1, "Transponder type:") + "\r\n" + label(2, "Orvex Multipage"),
                                   label(54, "Page 17"), label(54, "Data:") + "\r\n" + label(55, "Lock:")})
        EXPECT_NE(text.find(row), std::string::npos) << row;

    // Row A: date, time, empty, UID, empty, page 1 with its mark, page 2 without, then empty cells.
    std::vector<std::string> rowA{"   <Row>", cell(" 5/03/26"), cell("07:04:09"), cell(""), cell("E0040100"), cell(""),
                                  cell("30 31 32 33 34 35 36 37"), cell("X"), cell(""),
                                  cell("41 42 43 44 45 46 47 48"), cell(""), cell("")};
    for (int page = 3; page <= 17; ++page)
        rowA.insert(rowA.end(), {cell(""), cell(""), cell("")});
    rowA.push_back("   </Row>");
    std::vector<std::string> rowB = rowA;
    rowB[6] = cell("0 1 2 3 4 5 6 7");
    rowB[9] = cell("A B C D E F G H");
    std::vector<std::string> entry = rowA;
    entry.insert(entry.end(), rowB.begin(), rowB.end());
    entry.insert(entry.end(), {"   <Row>", "   </Row>"});
    entry.insert(entry.end(), kTailLines.begin(), kTailLines.end());
    EXPECT_EQ(std::vector<std::string>(first.end() - static_cast<long>(entry.size()), first.end()), entry);

    ASSERT_EQ(appendRecord(file, twoPageEntry(set), "Counter job", set, pending, fixedClock()), AppendStatus::Appended);
    const auto second = linesOf(file);
    ASSERT_EQ(second.size(), first.size() + entry.size() - kTailLines.size());
    EXPECT_EQ(std::vector<std::string>(second.end() - static_cast<long>(entry.size()), second.end()), entry);
}

TEST_F(RecordRows, TheJobHeaderNamesTheSourceTheCycleUsesAndOmitsCarrierIdRowsForCompleteData)
{
    struct Case {
        const char *name;
        void (*setUp)(ParameterSet &);
        std::string source, value; // source empty: no source row
        bool carrierIdRows;
        std::string family;
    };
    const std::vector<Case> cases{
        {"counter", [](ParameterSet &s) { s.useDecimalCounter = true; }, "Decimal counter:", "true", true, "Orvex Multipage"},
        {"csv before counter", [](ParameterSet &s) { s.useDecimalCounter = s.useCsvFile = true; }, "csv file:", "ids.csv",
         true, "Orvex Multipage"},
        {"complete", [](ParameterSet &s) { s.csvFileComplete = true; }, "csv file:", "ids.csv", false, "Orvex Multipage"},
        {"fix data, TI", [](ParameterSet &s) { s.useFixData = s.transponderTi = true; }, "fix data:", "true", true,
         "TI Multipage"},
        {"no source", [](ParameterSet &) {}, "", "", true, "Orvex Multipage"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ParameterSet set;
        set.csvFileName = "ids.csv";
        c.setUp(set);
        const std::string rows = jobHeaderRows("J", set);
        for (const std::string source : {"Decimal counter:", "csv file:", "fix data:"})
            EXPECT_EQ(rows.find(label(1, source)) != std::string::npos, source == c.source) << source;
        if (!c.source.empty()) {
            EXPECT_NE(rows.find(label(1, c.source) + "\r\n" + label(2, c.value)), std::string::npos);
        }
        EXPECT_EQ(rows.find("Carrier ID Offset:") != std::string::npos, c.carrierIdRows);
        EXPECT_NE(rows.find(label(2, c.family)), std::string::npos);
    }
}

// The job header comes again once start-up or "Config" asks for it; manual log entries leave that request alone.
TEST_F(RecordRows, EveryManualLogEntryHasItsOwnHeaderAndLeavesTheJobHeaderFlagAlone)
{
    const auto log = dir / "manual.xml";
    const auto record = dir / "record.xml";
    const ParameterSet set = counterJob();
    bool pending = false;
    ASSERT_EQ(appendRecord(record, twoPageEntry(set), "J", set, pending, fixedClock()), AppendStatus::Appended);
    pending = true; // start-up or "Config"
    ASSERT_EQ(appendManualLog(log, ManualLogKind::Read, twoPageEntry(set), fixedClock()), AppendStatus::Appended);
    ASSERT_EQ(appendManualLog(log, ManualLogKind::Write, twoPageEntry(set), fixedClock()), AppendStatus::Appended);
    EXPECT_TRUE(pending);

    const std::string text = readFileBytes(log);
    EXPECT_EQ(xmlFaults(log), "");
    const std::string kindRow = "   <Row>\r\n   </Row>\r\n   <Row>\r\n   </Row>\r\n   <Row>\r\n";
    const std::size_t read = text.find(kindRow + label(1, "Read") + "\r\n   </Row>\r\n   <Row>\r\n   </Row>\r\n   <Row>\r\n" +
                                       label(1, "Date:"));
    const std::size_t write = text.find(kindRow + label(1, "Write"));
    EXPECT_NE(read, std::string::npos);
    EXPECT_NE(write, std::string::npos);
    EXPECT_LT(read, write);
    EXPECT_EQ(text.find("Procedure:"), std::string::npos);

    ASSERT_EQ(appendRecord(record, twoPageEntry(set), "J", set, pending, fixedClock()), AppendStatus::Appended);
    const std::string recordText = readFileBytes(record);
    EXPECT_EQ(xmlFaults(record), "");
    EXPECT_NE(recordText.find("Procedure:"), recordText.rfind("Procedure:")) << "no second job header";
    EXPECT_FALSE(pending);
}

TEST_F(RecordRows, ValuesAreEscapedSoThatEveryByteLeavesTheFileWellFormed)
{
    const struct {
        std::string value;
        std::string written;
    } cases[] = {
        {"A&B <C> \"D\"", "A&amp;B &lt;C&gt; &quot;D&quot;"},
        {"</Table>", "&lt;/Table&gt;"},
        {"\xFF\x80 \xE9", "&#255;&#128; &#233;"},
        {"\x7F", "&#127;"},
        {std::string("\x00\x01\x1F", 3), "&#9216;&#9217;&#9247;"},
        {"\t\n\r", "&#9;&#10;&#13;"},
        {"NUL 0 ~", "NUL 0 ~"},
    };
    std::string every;
    for (int byte = 0; byte < 256; ++byte)
        every.push_back(static_cast<char>(byte));

    for (const auto &c : cases)
        EXPECT_EQ(escapeValue(c.value), c.written);

    const auto file = dir / "bytes.xml";
    RecordEntry entry;
    entry.uid = every;
    for (EntryPage &page : entry.pages)
        page = {true, every, every, false};
    bool pending = true;
    ParameterSet set;
    set.partNumber = every;
    ASSERT_EQ(appendRecord(file, entry, every, set, pending, fixedClock()), AppendStatus::Appended);
    ASSERT_EQ(appendManualLog(file, ManualLogKind::Write, entry, fixedClock()), AppendStatus::Appended);
    EXPECT_EQ(xmlFaults(file), "");
}

} // namespace
} // namespace teb::records
