#include "transponder/page_bytes.h"

#include "transponder/ascii_tokens.h"
#include "transponder/byte_text.h"

#include <algorithm>

namespace teb {
namespace {

std::size_t cellIndex(int pageNumber, int byteIndex)
{
    return static_cast<std::size_t>((pageNumber - 1) * kBytesPerPage + byteIndex);
}

} // namespace

std::optional<PageBytes> hexPageBytes(std::string_view hexText)
{
    std::string digits;
    for (const char character : hexText) {
        if (character == ' ')
            continue;
        if (!isHexDigit(character) || digits.size() == 2 * kBytesPerPage)
            return std::nullopt;
        digits += character;
    }
    if (digits.size() != 2 * kBytesPerPage)
        return std::nullopt;
    PageBytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = byteFromHexDigits(digits[2 * i], digits[2 * i + 1]);
    return bytes;
}

std::optional<PageBytes> asciiPageBytes(std::string_view asciiText)
{
    const auto tokens = readAsciiTokens(asciiText);
    if (tokens.size() != kBytesPerPage)
        return std::nullopt;
    PageBytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!tokens[i].singleByte)
            return std::nullopt;
        bytes[i] = tokens[i].byte;
    }
    return bytes;
}

std::optional<PageBytes> pageBytes(std::string_view pageText, bool asciiFormat)
{
    return asciiFormat ? asciiPageBytes(pageText) : hexPageBytes(pageText);
}

std::string hexPageText(const PageBytes &bytes)
{
    return groupedInPairs(hexDigitsOf(bytes));
}

std::string asciiPageText(const PageBytes &bytes)
{
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += byteToDisplay(bytes[i]);
    }
    return text;
}

std::string pageText(const PageBytes &bytes, bool asciiFormat)
{
    return asciiFormat ? asciiPageText(bytes) : hexPageText(bytes);
}

bool runFitsCells(long long offset, long long length)
{
    return offset >= 0 && length >= 0 && offset <= kCellCount && length <= kCellCount - offset;
}

PageBytes PageCells::page(int pageNumber) const
{
    PageBytes bytes{};
    for (int i = 0; i < kBytesPerPage; ++i)
        bytes[static_cast<std::size_t>(i)] = cells_.at(cellIndex(pageNumber, i));
    return bytes;
}

void PageCells::setPage(int pageNumber, const PageBytes &bytes)
{
    for (int i = 0; i < kBytesPerPage; ++i)
        cells_.at(cellIndex(pageNumber, i)) = bytes[static_cast<std::size_t>(i)];
}

bool PageCells::place(long long offset, std::span<const std::uint8_t> bytes)
{
    if (!runFitsCells(offset, static_cast<long long>(bytes.size())))
        return false;
    std::copy(bytes.begin(), bytes.end(), cells_.begin() + offset);
    return true;
}

bool PageCells::fill(long long offset, long long length, std::uint8_t value)
{
    if (!runFitsCells(offset, length))
        return false;
    std::fill_n(cells_.begin() + offset, length, value);
    return true;
}

std::optional<std::vector<std::uint8_t>> PageCells::take(long long offset, long long length) const
{
    if (!runFitsCells(offset, length))
        return std::nullopt;
    return std::vector<std::uint8_t>(cells_.begin() + offset, cells_.begin() + offset + length);
}

} // namespace teb
