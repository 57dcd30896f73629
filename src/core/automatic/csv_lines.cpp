#include "automatic/csv_lines.h"

#include <algorithm>

namespace teb {

std::vector<CsvLine> splitCsvLines(std::string_view content)
{
    std::vector<CsvLine> lines;
    std::size_t begin = 0;
    while (begin < content.size()) {
        const std::size_t end = std::min(content.find_first_of("\r\n", begin), content.size());
        if (end == begin)
            break; // an empty line ends the file's rows
        lines.push_back({begin, end - begin});
        std::size_t next = end;
        if (next < content.size()) {
            const bool crLf = content[next] == '\r' && next + 1 < content.size() && content[next + 1] == '\n';
            next += crLf ? 2 : 1;
        }
        begin = next;
    }
    return lines;
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
