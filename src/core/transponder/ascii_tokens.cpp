#include "transponder/ascii_tokens.h"

#include "transponder/text_tokens.h"

#include <string>

namespace teb {
namespace {

// The text is worked on as 16-bit cells so that the marks of zero bytes and
// blank characters can never be confused with anything the operator typed.
using Cells = std::u16string;
using CellView = std::u16string_view;

constexpr char16_t kBlank = u' ';
constexpr char16_t kZeroMark = 0x100;
constexpr char16_t kBlankMark = 0x101;
// What a token that begins with a mark stands for: the letter of the mark's
// written form ("XXXXXXXXX" for a zero byte, "YYYYYYYYY" for a blank).
constexpr std::uint8_t kZeroMarkLetter = 'X';
constexpr std::uint8_t kBlankMarkLetter = 'Y';

Cells toCells(std::string_view text)
{
    Cells cells;
    cells.reserve(text.size());
    for (const char character : text)
        cells += static_cast<char16_t>(static_cast<unsigned char>(character));
    return cells;
}

// Replaces every occurrence from left to right, without overlap; a replacement
// is never searched again.
Cells replaceAll(CellView text, CellView from, CellView to)
{
    Cells result;
    std::size_t position = 0;
    for (std::size_t found = text.find(from); found != CellView::npos; found = text.find(from, position)) {
        result.append(text.substr(position, found - position));
        result.append(to);
        position = found + from.size();
    }
    result.append(text.substr(position));
    return result;
}

Cells markZerosAndBlanks(std::string_view asciiText)
{
    const Cells nul = u"NUL";
    Cells cells = toCells(asciiText);
    cells = replaceAll(cells, kBlank + nul + kBlank, Cells{kBlank, kZeroMark, kBlank});
    cells = replaceAll(cells, nul + kBlank, Cells{kZeroMark, kBlank});
    cells = replaceAll(cells, kBlank + nul, Cells{kBlank, kZeroMark});
    cells = replaceAll(cells, u"  ", Cells{kBlank, kBlankMark, kBlank});
    if (cells.ends_with(u"  "))
        cells.replace(cells.size() - 2, 2, Cells{kBlank, kBlankMark});
    return cells;
}

std::uint8_t byteOfToken(CellView token)
{
    const char16_t first = token.front();
    if (token.size() == 1 && first == kZeroMark)
        return 0x00;
    if (token.size() == 1 && first == kBlankMark)
        return 0x20;
    if (first == kZeroMark)
        return kZeroMarkLetter;
    if (first == kBlankMark)
        return kBlankMarkLetter;
    return static_cast<std::uint8_t>(first);
}

} // namespace

std::vector<AsciiToken> readAsciiTokens(std::string_view asciiText)
{
    const Cells cells = markZerosAndBlanks(asciiText);
    std::vector<AsciiToken> tokens;
    for (const CellView token : splitAtBlanks(CellView(cells)))
        tokens.push_back({byteOfToken(token), token.size() == 1});
    return tokens;
}

} // namespace teb
