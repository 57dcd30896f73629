#include "transponder/ascii_tokens.h"

#include "transponder/text_tokens.h"

#include <string>

namespace teb {
namespace {

// The text is worked on as 16-bit cells so that the marks of zero bytes and
// blank characters can never be confused with anything the operator typed.
using Cells = std::u16string;
using CellView = std::u16string_view;

constexpr char16_t blank = u' ';
constexpr char16_t zeroMark = 0x100;
constexpr char16_t blankMark = 0x101;
// What a token that begins with a mark stands for: the letter of the mark's
// written form ("XXXXXXXXX" for a zero byte, "YYYYYYYYY" for a blank).
constexpr std::uint8_t zeroMarkLetter = 'X';
constexpr std::uint8_t blankMarkLetter = 'Y';

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
    cells = replaceAll(cells, blank + nul + blank, Cells{blank, zeroMark, blank});
    cells = replaceAll(cells, nul + blank, Cells{zeroMark, blank});
    cells = replaceAll(cells, blank + nul, Cells{blank, zeroMark});
    cells = replaceAll(cells, u"  ", Cells{blank, blankMark, blank});
    if (cells.ends_with(u"  "))
        cells.replace(cells.size() - 2, 2, Cells{blank, blankMark});
    return cells;
}

std::uint8_t byteOfToken(CellView token)
{
    const char16_t first = token.front();
    if (token.size() == 1 && first == zeroMark)
        return 0x00;
    if (token.size() == 1 && first == blankMark)
        return 0x20;
    if (first == zeroMark)
        return zeroMarkLetter;
    if (first == blankMark)
        return blankMarkLetter;
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
