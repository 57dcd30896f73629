#include "automatic/csv_mark.h"

#include "common/file_layer.h"
#include "automatic/csv_lines.h"
#include "automatic/file_lock.h"

namespace teb {
namespace {

std::string markedRow(std::string_view row, std::size_t position)
{
    std::string marked(row);
    marked.insert(position, 1, 'X');
    return marked;
}

} // namespace

MarkResult markRowProcessed(const std::filesystem::path &file, CsvFormat format, const CsvRow &row,
                            std::string_view delimiter)
{
    // Another station marking a row of the same file waits for this one.
    const FileLock lock(file);
    if (!lock.locked())
        return MarkResult::NoAccess;
    auto content = readWholeFile(file);
    if (!content)
        return MarkResult::NoAccess;
    const auto line = row.lineIndex == 0 ? std::nullopt : csvLineAt(*content, row.lineIndex);
    if (!line)
        return MarkResult::RowChanged;
    const std::string_view found = line->in(*content);
    const auto position = markPosition(format, row.text, delimiter);
    if (!position)
        return MarkResult::RowChanged;
    if (found == markedRow(row.text, *position))
        return MarkResult::Marked; // marked before, e.g. by a replacement reported as failed
    if (found != row.text)
        return MarkResult::RowChanged;

    content->insert(line->begin + *position, 1, 'X');
    const auto replaced = replaceFileAtomically(file, *content);
    if (!replaced)
        return MarkResult::WriteFailed;
    return *replaced == ReplaceResult::Replaced ? MarkResult::Marked : MarkResult::NotWritable;
}

} // namespace teb
