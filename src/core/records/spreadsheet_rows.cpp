#include "records/spreadsheet_rows.h"

#include "records/workbook_skeleton.h"

#include <cstdint>

namespace teb::records {
namespace {

constexpr std::string_view kDataOpen = R"(<Data ss:Type="String">)";
constexpr std::string_view kDataClose = "</Data></Cell>";
constexpr char32_t kControlPictures = 0x2400; // U+2400 SYMBOL FOR NULL .. U+241F
constexpr std::uint8_t kDelete = 0x7F;

std::string characterReference(char32_t code) { return "&#" + std::to_string(static_cast<std::uint32_t>(code)) + ";"; }

std::string line(std::string_view text) { return std::string(text) + std::string(kLineEnd); }

} // namespace

std::string escapeValue(std::string_view value)
{
    std::string escaped;
    escaped.reserve(value.size());
    for (const char c : value) {
        const auto byte = static_cast<std::uint8_t>(c);
        switch (c) {
        case '&': escaped += "&amp;"; continue;
        case '<': escaped += "&lt;"; continue;
        case '>': escaped += "&gt;"; continue;
        case '"': escaped += "&quot;"; continue;
        case '\t':
        case '\n':
        case '\r': escaped += characterReference(byte); continue; // kept, but never a raw line break in a cell
        default: break;
        }
        if (byte < 0x20)
            escaped += characterReference(kControlPictures + byte);
        else if (byte >= kDelete)
            escaped += characterReference(byte); // Latin-1: the byte is the code point
        else
            escaped += c;
    }
    return escaped;
}

std::string rowStart() { return line("   <Row>"); }
std::string rowEnd() { return line("   </Row>"); }
std::string emptyRow() { return rowStart() + rowEnd(); }

std::string dataCell(std::string_view value)
{
    return line("    <Cell>" + std::string(kDataOpen) + escapeValue(value) + std::string(kDataClose));
}

std::string emptyCell() { return dataCell(""); }
std::string lockMarkCell() { return dataCell("X"); }

std::string labelCell(int column, std::string_view label)
{
    return line(R"(    <Cell ss:Index=")" + std::to_string(column) + R"(">)" + std::string(kDataOpen) +
                escapeValue(label) + std::string(kDataClose));
}

} // namespace teb::records
