#include "automatic/pending_mark_file.h"

#include "common/decimal_text.h"
#include "common/file_layer.h"

#include <string_view>
#include <system_error>

namespace teb {
namespace {

constexpr std::string_view kFileName = "TagEncoderBench.pending";
constexpr std::string_view kFirstLine = "Pending csv mark";
constexpr std::string_view kFormat = "Format";
constexpr std::string_view kLine = "Line";
constexpr std::string_view kDelimiter = "Delimiter";
constexpr std::string_view kFile = "File";
constexpr std::string_view kRow = "Row";
constexpr std::string_view kSimple = "Simple";
constexpr std::string_view kComplete = "Complete";

// Reads the file's lines and length-prefixed texts in order; any deviation
// fails the whole read.
class Reader {
public:
    explicit Reader(std::string_view content) : m_rest(content) {}

    bool line(std::string_view expected) { return takeLine() == expected; }

    std::optional<std::size_t> number(std::string_view key)
    {
        const auto value = keyedLine(key);
        return value ? readDigitsOnly<std::size_t>(*value) : std::nullopt;
    }

    std::optional<std::string> text(std::string_view key)
    {
        const auto size = number(key);
        if (!size || *size >= m_rest.size() || m_rest[*size] != '\n') // a size near the largest must not wrap
            return std::nullopt;
        std::string text(m_rest.substr(0, *size));
        m_rest.remove_prefix(*size + 1);
        return text;
    }

    std::optional<std::string_view> keyedLine(std::string_view key)
    {
        const auto found = takeLine();
        if (!found || found->size() < key.size() + 2 || found->substr(0, key.size()) != key ||
            found->substr(key.size(), 2) != ": ")
            return std::nullopt;
        return found->substr(key.size() + 2);
    }

    bool atEnd() const { return m_rest.empty(); }

private:
    std::optional<std::string_view> takeLine()
    {
        const auto end = m_rest.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt;
        const std::string_view line = m_rest.substr(0, end);
        m_rest.remove_prefix(end + 1);
        return line;
    }

    std::string_view m_rest;
};

std::optional<PendingMark> parsePendingMark(std::string_view content)
{
    Reader reader(content);
    if (!reader.line(kFirstLine))
        return std::nullopt;
    const auto format = reader.keyedLine(kFormat);
    const auto line = reader.number(kLine);
    const auto delimiter = reader.text(kDelimiter);
    const auto file = reader.text(kFile);
    const auto row = reader.text(kRow);
    if (!format || (*format != kSimple && *format != kComplete) || !line || *line == 0 || !delimiter || !file ||
        file->empty() || !row || !reader.atEnd())
        return std::nullopt;
    return PendingMark{*file, *format == kSimple ? CsvFormat::Simple : CsvFormat::Complete, CsvRow{*line, *row},
                       *delimiter};
}

} // namespace

std::filesystem::path pendingMarkFilePath(const std::filesystem::path &directory) { return directory / kFileName; }

StoredPendingMark readPendingMark(const std::filesystem::path &file)
{
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(file, error)))
        return {};
    const auto content = readWholeFile(file);
    auto mark = content ? parsePendingMark(*content) : std::nullopt;
    if (!mark)
        return StoredPendingMark{StoredPendingMark::State::Damaged, std::nullopt};
    return StoredPendingMark{StoredPendingMark::State::Found, std::move(mark)};
}

} // namespace teb
