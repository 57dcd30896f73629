#pragma once

#include <string>
#include <string_view>

// The XML Spreadsheet 2003 workbook that the record file and the manual log
// are: a fixed skeleton whose closing tail is overwritten by every entry and
// written again behind it. Every line ends in CR LF.
namespace teb::records {

inline constexpr std::string_view kLineEnd = "\r\n";

// The record file declares 57 columns, a new manual log the 56 its rows carry.
// (Manual logs made earlier declare 55; an entry never rewrites the head.)
enum class WorkbookKind { RecordFile, ManualLog };

int columnCount(WorkbookKind kind);

// The lines of a new workbook up to and including the last column line.
std::string skeletonHead(WorkbookKind kind);

// The closing tail: "  </Table>", " </Worksheet>", "</Workbook>".
std::string_view closingTail();

// A new workbook: the head and the closing tail.
std::string emptyWorkbook(WorkbookKind kind);

} // namespace teb::records
