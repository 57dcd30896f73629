#include "transponder/page_text.h"

#include "transponder/ascii_tokens.h"
#include "transponder/byte_text.h"
#include "transponder/page_bytes.h"
#include "transponder/text_tokens.h"

#include <algorithm>

namespace teb {
namespace {

constexpr std::size_t kHexPageTextLength = 23;

// One token of a HEX text: a single digit gets a "0" in front, a longer token
// counts by its last two characters.
std::uint8_t byteOfHexToken(std::string_view token)
{
    if (token.size() == 1)
        return byteFromHexDigits('0', token[0]);
    return byteFromHexDigits(token[token.size() - 2], token[token.size() - 1]);
}

std::string hexTextToAscii(std::string_view hexText, bool padLastZero)
{
    if (const auto bytes = hexPageBytes(hexText))
        return asciiPageText(*bytes) + (padLastZero && bytes->back() == 0 ? " " : "");
    std::string ascii;
    const auto tokens = splitAtBlanks(hexText);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::uint8_t byte = byteOfHexToken(tokens[i]);
        ascii += byteToDisplay(byte);
        const bool last = i + 1 == tokens.size();
        if (!last || (padLastZero && byte == 0))
            ascii += ' ';
    }
    return ascii;
}

// One fault per character that is neither a blank nor a digit, one more when
// the digit count is not 16.
int hexTextFaults(std::string_view pageText)
{
    int faults = 0;
    std::size_t digits = 0;
    for (const char character : pageText) {
        if (character == ' ')
            continue;
        ++digits;
        if (!isHexDigit(character))
            ++faults;
    }
    if (digits != static_cast<std::size_t>(2 * kBytesPerPage))
        ++faults;
    return faults;
}

} // namespace

int checkPageText(std::string_view pageText, bool asciiFormat)
{
    if (pageBytes(pageText, asciiFormat))
        return 0;
    return asciiFormat ? 1 : std::max(1, hexTextFaults(pageText));
}

std::string hexTextToAsciiText(std::string_view hexText)
{
    return hexTextToAscii(hexText, false);
}

std::string hexTextToAsciiTextPadded(std::string_view hexText)
{
    return hexTextToAscii(hexText, true);
}

std::string asciiTextToHexText(std::string_view asciiText)
{
    std::string hex;
    const auto tokens = readAsciiTokens(asciiText);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        hex += byteToHexDigits(tokens[i].byte);
        const bool last = i + 1 == tokens.size();
        if (!last || tokens[i].byte == 0)
            hex += ' ';
    }
    if (hex.size() > kHexPageTextLength)
        hex.resize(kHexPageTextLength);
    return hex;
}

} // namespace teb
