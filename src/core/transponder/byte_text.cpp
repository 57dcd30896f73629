#include "transponder/byte_text.h"

namespace teb {
namespace {

constexpr std::string_view kZeroByteDisplay = "NUL";
constexpr std::string_view kUpperHexDigits = "0123456789ABCDEF";

int hexDigitValue(char digit)
{
    const int code = static_cast<unsigned char>(digit);
    return code > '9' ? code - 55 : code - 48;
}

} // namespace

bool isHexDigit(char character)
{
    return (character >= '0' && character <= '9') || (character >= 'A' && character <= 'F')
        || (character >= 'a' && character <= 'f');
}

std::uint8_t byteFromHexDigits(char high, char low)
{
    // Masking with two's complement gives the non-negative remainder, so digit
    // values below zero (characters under "0") still land in 0..255.
    const auto highPart = static_cast<unsigned>(hexDigitValue(high) * 16) & 0xFFu;
    const auto lowPart = static_cast<unsigned>(hexDigitValue(low)) & 0x0Fu;
    return static_cast<std::uint8_t>(highPart | lowPart);
}

std::uint8_t hexToByte(std::string_view hexText)
{
    if (hexText.empty())
        return 0;
    if (hexText.size() == 1)
        return byteFromHexDigits('0', hexText[0]);
    return byteFromHexDigits(hexText[0], hexText[1]);
}

std::string byteToDisplay(std::uint8_t byte)
{
    if (byte == 0)
        return std::string(kZeroByteDisplay);
    return std::string(1, static_cast<char>(byte));
}

std::string byteToHexDigits(std::uint8_t byte)
{
    return {kUpperHexDigits[byte >> 4], kUpperHexDigits[byte & 0x0Fu]};
}

std::string hexStringToDisplay(std::string_view hexText)
{
    std::string display;
    std::size_t position = 0;
    if (hexText.size() % 2 != 0) {
        display += byteToDisplay(byteFromHexDigits('0', hexText[0]));
        position = 1;
    }
    for (; position + 1 < hexText.size(); position += 2)
        display += byteToDisplay(byteFromHexDigits(hexText[position], hexText[position + 1]));
    return display;
}

std::string displayToHex(std::string_view displayText)
{
    if (displayText == kZeroByteDisplay)
        return "00";
    return textToHexDigits(displayText);
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

std::string hexDigitsOf(std::span<const std::uint8_t> bytes)
{
    std::string digits;
    digits.reserve(bytes.size() * 2);
    for (const std::uint8_t byte : bytes)
        digits += byteToHexDigits(byte);
    return digits;
}

std::string groupedInPairs(std::string_view digits)
{
    std::string text;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        if (i > 0)
            text += ' ';
        text += digits.substr(i, 2);
    }
    return text;
}

} // namespace teb
