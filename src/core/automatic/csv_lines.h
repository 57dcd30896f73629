#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A CSV file's text as lines and fields. CR LF, LF, a lone CR and the end of
// the file each end a line; reading stops at the first empty line. There is
// no quoting: a field cannot contain the delimiter.
namespace teb {

// A line's content (line end excluded) as a range of the file's bytes.
struct CsvLine {
    std::size_t begin = 0;
    std::size_t length = 0;

    std::string_view in(std::string_view content) const { return content.substr(begin, length); }
};

// The lines one after the other, so that a search can stop early.
class CsvLineReader {
public:
    explicit CsvLineReader(std::string_view content) : m_content(content) {}
    // The next line; none at the end or at the first empty line.
    std::optional<CsvLine> next();

private:
    std::string_view m_content;
    std::size_t m_begin = 0;
    bool m_ended = false;
};

std::vector<CsvLine> splitCsvLines(std::string_view content);

// Line `index` (the header is 0); none when the file ends before it.
std::optional<CsvLine> csvLineAt(std::string_view content, std::size_t index);

// The fields of a line; a line without the delimiter is one field.
std::vector<std::string_view> splitCsvFields(std::string_view line, std::string_view delimiter);

// The delimiter to use: the settings' value, "," when that is empty.
std::string_view effectiveDelimiter(std::string_view delimiter);

} // namespace teb
