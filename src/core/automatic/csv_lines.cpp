#include "automatic/csv_lines.h"

#include <algorithm>

namespace teb {

std::optional<CsvLine> CsvLineReader::next()
{
    if (m_ended || m_begin >= m_content.size())
        return std::nullopt;
    const std::size_t end = std::min(m_content.find_first_of("\r\n", m_begin), m_content.size());
    if (end == m_begin) {
        m_ended = true; // an empty line ends the file's rows
        return std::nullopt;
    }
    const CsvLine line{m_begin, end - m_begin};
    std::size_t next = end;
    if (next < m_content.size()) {
        const bool crLf = m_content[next] == '\r' && next + 1 < m_content.size() && m_content[next + 1] == '\n';
        next += crLf ? 2 : 1;
    }
    m_begin = next;
    return line;
}

std::vector<CsvLine> splitCsvLines(std::string_view content)
{
    std::vector<CsvLine> lines;
    CsvLineReader reader(content);
    while (const auto line = reader.next())
        lines.push_back(*line);
    return lines;
}

std::optional<CsvLine> csvLineAt(std::string_view content, std::size_t index)
{
    CsvLineReader reader(content);
    for (std::size_t i = 0;; ++i) {
        const auto line = reader.next();
        if (!line || i == index)
            return line;
    }
}

std::vector<std::string_view> splitCsvFields(std::string_view line, std::string_view delimiter)
{
    const std::string_view separator = effectiveDelimiter(delimiter);
    std::vector<std::string_view> fields;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t hit = line.find(separator, begin);
        if (hit == std::string_view::npos) {
            fields.push_back(line.substr(begin));
            return fields;
        }
        fields.push_back(line.substr(begin, hit - begin));
        begin = hit + separator.size();
    }
}

std::string_view effectiveDelimiter(std::string_view delimiter) { return delimiter.empty() ? "," : delimiter; }

} // namespace teb
