#include "transponder/page_text.h"

#include "transponder/ascii_tokens.h"
#include "transponder/byte_text.h"
#include "transponder/text_tokens.h"

namespace teb {
namespace {

constexpr std::size_t hexPageTextLength = 23;

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

} // namespace

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
    if (hex.size() > hexPageTextLength)
        hex.resize(hexPageTextLength);
    return hex;
}

std::string hexToDisplay(std::string_view hexByte)
{
    return byteToDisplay(hexToByte(hexByte));
}

std::string hexDigitsToText(std::string_view hexDigits)
{
    // A zero byte ends the text, as it does wherever the text is shown; it is
    // not kept inside the string, where it would reach files and fields.
    std::string text;
    for (std::size_t position = 0; position < hexDigits.size(); position += 2) {
        const std::uint8_t byte = hexToByte(hexDigits.substr(position, 2));
        if (byte == 0)
            break;
        text += static_cast<char>(byte);
    }
    return text;
}

std::string textToHexDigits(std::string_view text)
{
    std::string digits;
    digits.reserve(text.size() * 2);
    for (const char character : text)
        digits += byteToHexDigits(static_cast<std::uint8_t>(character));
    return digits;
}

} // namespace teb
