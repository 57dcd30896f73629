#include "transponder/page_entry.h"

#include "transponder/byte_text.h"
#include "transponder/page_bytes.h"

namespace teb {
namespace {

constexpr std::size_t kAsciiCharactersPerPage = 8;
constexpr std::size_t kHexDigitsPerPage = 16;
constexpr std::string_view kAllZeroAsciiPage = "NUL NUL NUL NUL NUL NUL NUL NUL";

std::string separatedBySingleBlanks(std::string_view characters)
{
    std::string text;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += characters[i];
    }
    return text;
}

std::string repeated(std::string_view piece, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}

// A text longer than a page of single characters (the layout of eight "NUL"
// tokens among them) is already spaced out and stays as typed.
std::string normaliseAsciiEntry(std::string_view typed, std::string_view alignment)
{
    if (typed.size() > kAsciiCharactersPerPage)
        return std::string(typed);
    if (typed.size() == kAsciiCharactersPerPage)
        return separatedBySingleBlanks(typed);
    const std::size_t missing = kAsciiCharactersPerPage - typed.size();
    if (alignment == "Right")
        return typed.empty() ? std::string(kAllZeroAsciiPage)
                             : repeated("NUL ", missing) + separatedBySingleBlanks(typed);
    if (alignment == "Left")
        return separatedBySingleBlanks(typed) + repeated(" NUL", missing);
    return std::string(typed);
}

std::string withoutBlanks(std::string_view text)
{
    std::string kept;
    for (const char character : text) {
        if (character != ' ')
            kept += character;
    }
    return kept;
}

std::string normaliseHexEntry(std::string_view typed, std::string_view alignment)
{
    // Digits grouped in fours (as many tools print them) or any other layout
    // stand for the bytes of their pairs; the text is regrouped to show them.
    if (hexPageBytes(typed))
        return groupedInPairs(withoutBlanks(typed));
    if (typed.size() > kHexDigitsPerPage)
        return std::string(typed);
    std::string digits(typed);
    if (digits.size() < kHexDigitsPerPage) {
        const std::string zeros(kHexDigitsPerPage - digits.size(), '0');
        if (alignment == "Right")
            digits = zeros + digits;
        else if (alignment == "Left")
            digits += zeros;
        else
            return digits;
    }
    return groupedInPairs(digits);
}

} // namespace

std::string normalisePageEntry(std::string_view typed, bool asciiFormat, std::string_view alignment)
{
    return asciiFormat ? normaliseAsciiEntry(typed, alignment) : normaliseHexEntry(typed, alignment);
}

} // namespace teb
