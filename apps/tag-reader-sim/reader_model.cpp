#include "reader_model.h"

#include <cctype>
#include <charconv>
#include <vector>

namespace teb::sim {

namespace {

std::vector<std::string> wordsOf(const std::string &line)
{
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t blank = line.find(' ', start);
        const std::size_t end = blank == std::string::npos ? line.size() : blank;
        words.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

int hexValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(digit)));
    if (upper >= 'A' && upper <= 'F')
        return upper - 'A' + 10;
    return -1;
}

} // namespace

std::optional<int> pageNumber(const std::string &text)
{
    if (text.empty() || text[0] == '0')
        return std::nullopt;
    int page = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), page);
    if (error != std::errc() || end != text.data() + text.size() || page < 1 || page > kPageCount)
        return std::nullopt;
    return page;
}

std::optional<std::array<std::uint8_t, kPageBytes>> pageBytes(const std::string &hexDigits)
{
    if (hexDigits.size() != 2 * kPageBytes)
        return std::nullopt;
    std::array<std::uint8_t, kPageBytes> bytes{};
    for (int i = 0; i < kPageBytes; ++i) {
        const int high = hexValue(hexDigits[2 * i]);
        const int low = hexValue(hexDigits[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return bytes;
}

std::string upperHex(const std::array<std::uint8_t, kPageBytes> &bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t byte : bytes) {
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0x0F]);
    }
    return text;
}

std::optional<std::string> ReaderModel::answer(const std::string &command)
{
    if (command.empty())
        return std::nullopt;
    const std::vector<std::string> words = wordsOf(command);
    const std::string &name = words[0];
    if (name == "TOR" && words.size() == 1) {
        uidSelected = false;
        return std::to_string(timeOutNumber);
    }
    const bool transponderCommand = name == "RUID" || name == "RD" || name == "WD" || name == "LD";
    if (!transponderCommand)
        return kUnknownCommand;
    if (!transponder)
        return kNoTransponder;
    if (name == "RUID") {
        if (words.size() != 1)
            return kRefusal;
        uidSelected = true;
        return transponder->uid;
    }

    const std::optional<int> page = words.size() >= 2 ? pageNumber(words[1]) : std::nullopt;
    if (!page)
        return kRefusal;
    if (name == "RD" && words.size() == 2)
        return readPage(*page);
    if (name == "LD" && words.size() == 2)
        return lockPage(*page);
    if (name == "WD" && words.size() == 3)
        return writePage(*page, words[2]);
    return kRefusal;
}

std::string ReaderModel::readPage(int page) const
{
    return upperHex(transponder->pages[page - 1]);
}

std::string ReaderModel::writePage(int page, const std::string &hexDigits)
{
    const std::optional<std::array<std::uint8_t, kPageBytes>> bytes = pageBytes(hexDigits);
    if (!bytes || transponder->locked[page - 1])
        return kRefusal;
    if (family == Family::OrvexMultipage && !uidSelected)
        return kRefusal;
    transponder->pages[page - 1] = *bytes;
    return "ACK";
}

std::string ReaderModel::lockPage(int page)
{
    transponder->locked[page - 1] = true;
    return "ACK";
}

} // namespace teb::sim
