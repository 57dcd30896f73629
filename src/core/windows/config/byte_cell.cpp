#include "windows/config/byte_cell.h"

#include <algorithm>
#include <cctype>

#include "transponder/byte_text.h"

namespace teb {
namespace {

constexpr std::string_view kZeroByteDisplay = "NUL";

bool isStorableByte(std::uint8_t byte) { return byte == 0 || (byte >= 0x20 && byte <= 0x7E); }

std::string upperCase(std::string_view text)
{
    std::string upper(text);
    std::ranges::transform(upper, upper.begin(), [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return upper;
}

} // namespace

ByteTexts byteTextsAt(const std::array<PageSetting, kPageCount> &pages, int byte)
{
    const PageSetting &setting = pages[static_cast<std::size_t>(byte / kBytesPerPage)];
    const auto index = static_cast<std::size_t>(byte % kBytesPerPage);
    return {setting.hex[index], setting.ascii[index]};
}

void setByteTextsAt(std::array<PageSetting, kPageCount> &pages, int byte, const ByteTexts &texts)
{
    PageSetting &setting = pages[static_cast<std::size_t>(byte / kBytesPerPage)];
    const auto index = static_cast<std::size_t>(byte % kBytesPerPage);
    setting.hex[index] = texts.hex;
    setting.ascii[index] = texts.ascii;
}

std::optional<ByteTexts> readCheckedCell(std::string_view cell, bool asciiFormat)
{
    if (asciiFormat) {
        if (cell == kZeroByteDisplay)
            return ByteTexts{"00", std::string(kZeroByteDisplay)};
        if (cell.size() != 1 || cell[0] == 0 || !isStorableByte(static_cast<std::uint8_t>(cell[0])))
            return std::nullopt;
        return ByteTexts{displayToHex(cell), std::string(cell)};
    }
    if (cell.size() != 2 || !std::ranges::all_of(cell, [](char c) { return isHexDigit(c); }))
        return std::nullopt;
    const std::string hex = upperCase(cell);
    if (!isStorableByte(hexToByte(hex)))
        return std::nullopt;
    return ByteTexts{hex, hexStringToDisplay(hex)};
}

bool isSingleByte(std::string_view hex)
{
    return hex.size() <= 2 && std::ranges::all_of(hex, [](char c) { return isHexDigit(c); });
}

ByteTexts readFreeHexCell(std::string_view cell)
{
    if (!isSingleByte(cell))
        return {std::string(cell), hexStringToDisplay(cell)};
    // A usable byte is kept as the file keeps bytes: two upper-case digits.
    const std::uint8_t byte = hexToByte(cell);
    return {byteToHexDigits(byte), byteToDisplay(byte)};
}

ByteTexts readFreeAsciiCell(std::string_view cell)
{
    if (cell.empty())
        return {"00", std::string(kZeroByteDisplay)};
    return {displayToHex(cell), std::string(cell)};
}

} // namespace teb
