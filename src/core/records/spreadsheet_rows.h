#pragma once

#include <string>
#include <string_view>

// Rows and cells of the workbook, one line each, every line ending in CR LF.
namespace teb::records {

// A value as element text: "&", "<", ">" and the quote as entities, bytes
// 0x80..0xFF and the line-break controls as character references (the file
// declares no encoding, so raw high bytes would not be UTF-8; 0x7F joins
// them), and the control bytes XML cannot hold at all as their visible
// stand-ins U+2400..U+241F.
std::string escapeValue(std::string_view value);

std::string rowStart(); // "   <Row>"
std::string rowEnd();   // "   </Row>"
std::string emptyRow();

std::string dataCell(std::string_view value);
std::string emptyCell();
std::string lockMarkCell();
std::string labelCell(int column, std::string_view label);

} // namespace teb::records
