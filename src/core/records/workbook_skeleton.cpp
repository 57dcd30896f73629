#include "records/workbook_skeleton.h"

#include <array>

namespace teb::records {
namespace {

constexpr std::string_view kTail = "  </Table>\r\n </Worksheet>\r\n</Workbook>\r\n";

constexpr std::array<std::string_view, 35> kOpeningLines{
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
};

constexpr std::string_view kTableOpeningSecondLine =
    R"(   x:FullRows="1" ss:StyleID="s21" ss:DefaultColumnWidth="60">)";

// Date, time, gap, UID, gap; then data, lock and gap per page, page 17
// without its gap.
constexpr std::array<std::string_view, 5> kLeadingWidths{"95.0", "45.0", "5.0", "65.0", "5.0"};
constexpr std::array<std::string_view, 3> kPageWidths{"120.0", "30.0", "5.0"};
constexpr int kPagesWithGap = 16;

void addLine(std::string &text, std::string_view line)
{
    text += line;
    text += kLineEnd;
}

void addColumn(std::string &text, std::string_view width)
{
    addLine(text, R"(   <Column ss:StyleID="s22" ss:Width=")" + std::string(width) + R"("/>)");
}

} // namespace

int columnCount(WorkbookKind kind) { return kind == WorkbookKind::RecordFile ? 57 : 56; }

std::string skeletonHead(WorkbookKind kind)
{
    std::string text;
    for (const std::string_view line : kOpeningLines)
        addLine(text, line);
    addLine(text, R"(  <Table ss:ExpandedColumnCount=")" + std::to_string(columnCount(kind)) +
                      R"(" ss:ExpandedRowCount="1048576" x:FullColumns="1")");
    addLine(text, kTableOpeningSecondLine);
    for (const std::string_view width : kLeadingWidths)
        addColumn(text, width);
    for (int page = 1; page <= kPagesWithGap; ++page) {
        for (const std::string_view width : kPageWidths)
            addColumn(text, width);
    }
    addColumn(text, kPageWidths[0]);
    addColumn(text, kPageWidths[1]);
    return text;
}

std::string_view closingTail() { return kTail; }

std::string emptyWorkbook(WorkbookKind kind) { return skeletonHead(kind) + std::string(kTail); }

} // namespace teb::records
