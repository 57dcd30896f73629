#include "journal/search_ranges.h"

#include "transponder/byte_text.h"

#include <algorithm>
#include <cctype>

namespace teb {
namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kAfterSurrogates = 0xE000;

void appendUtf8(std::string &text, char32_t c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The last character of a text: where it starts and its code point. A byte
// that is no whole UTF-8 character is a character of its own (code point =
// the byte), raised as a byte.
struct LastCharacter {
    std::size_t start = 0;
    char32_t codePoint = 0;
    bool utf8 = true;
};

LastCharacter lastCharacter(std::string_view text)
{
    std::size_t start = text.size() - 1;
    while (start > 0 && text.size() - start < 4 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
        --start;
    const auto lead = static_cast<unsigned char>(text[start]);
    const std::size_t length = text.size() - start;
    const std::size_t expected = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (expected != length)
        return {text.size() - 1, static_cast<unsigned char>(text.back()), false};
    char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = start + 1; i < text.size(); ++i)
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    return {start, codePoint, true};
}

bool allHexDigits(std::string_view text) { return std::all_of(text.begin(), text.end(), isHexDigit); }

std::string upperCase(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    return upper;
}

SearchRange rangeOf(std::string column, std::string text)
{
    std::optional<std::string> high = prefixEnd(text);
    return SearchRange{std::move(column), std::move(text), std::move(high)};
}

} // namespace

std::optional<std::string> prefixEnd(std::string_view prefix)
{
    while (!prefix.empty()) {
        const LastCharacter last = lastCharacter(prefix);
        std::string end(prefix.substr(0, last.start));
        if (!last.utf8 && last.codePoint < 0xFF)
            return end + static_cast<char>(last.codePoint + 1);
        if (last.utf8 && last.codePoint < kLastCodePoint) {
            const char32_t next = last.codePoint + 1 == kFirstSurrogate ? kAfterSurrogates : last.codePoint + 1;
            appendUtf8(end, next);
            return end;
        }
        prefix = prefix.substr(0, last.start);
    }
    return std::nullopt;
}

std::vector<SearchRange> searchRanges(std::string_view text)
{
    if (text.empty())
        return {};
    std::vector<SearchRange> ranges{rangeOf("carrier_id", std::string(text))};
    if (allHexDigits(text)) {
        ranges.push_back(rangeOf("carrier_hex", upperCase(text)));
        ranges.push_back(rangeOf("uid", upperCase(text)));
    } else {
        ranges.push_back(rangeOf("uid", std::string(text)));
    }
    return ranges;
}

} // namespace teb
