#include "transponder/page_text.h"

#include "transponder/ascii_tokens.h"

#include <algorithm>

namespace teb {
namespace {

constexpr std::size_t bytesPerPage = 8;
constexpr std::size_t hexDigitsPerPage = 2 * bytesPerPage;

bool isHexDigit(char character)
{
    return (character >= '0' && character <= '9') || (character >= 'A' && character <= 'F')
        || (character >= 'a' && character <= 'f');
}

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
    if (digits != hexDigitsPerPage)
        ++faults;
    return faults;
}

// Valid only when the text reads as exactly eight one-byte tokens, which is
// exactly when its HEX text has 16 digits. So a single blank after the eighth
// token is accepted as a separator, while seven tokens and a single trailing
// blank are rejected rather than written as seven bytes.
int asciiTextFaults(std::string_view pageText)
{
    const auto tokens = readAsciiTokens(pageText);
    const bool valid = tokens.size() == bytesPerPage
        && std::all_of(tokens.begin(), tokens.end(), [](const AsciiToken& token) { return token.singleByte; });
    return valid ? 0 : 1;
}

} // namespace

int checkPageText(std::string_view pageText, bool asciiFormat)
{
    return asciiFormat ? asciiTextFaults(pageText) : hexTextFaults(pageText);
}

} // namespace teb
