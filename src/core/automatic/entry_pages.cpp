#include "automatic/entry_pages.h"

#include "transponder/byte_text.h"
#include "transponder/page_bytes.h"

#include <algorithm>

namespace teb {

std::optional<EntryPages> entryPagesOf(const JournalEntry &entry)
{
    EntryPages pages;
    std::size_t start = 0;
    for (int page = 1; page <= kPageCount; ++page) {
        const std::size_t end = std::min(entry.pagesHex.find(',', start), entry.pagesHex.size());
        if (start > entry.pagesHex.size())
            return std::nullopt;
        const std::string_view field = std::string_view(entry.pagesHex).substr(start, end - start);
        start = end + 1;
        if (field.empty())
            continue;
        const auto bytes = hexPageBytes(field);
        if (!bytes || field.size() != 2 * kBytesPerPage)
            return std::nullopt;
        const auto i = static_cast<std::size_t>(page - 1);
        pages.cells.setPage(page, *bytes);
        pages.written[i] = true;
        pages.locked[i] = i < entry.pagesLocked.size() && entry.pagesLocked[i] == '1';
    }
    if (std::none_of(pages.written.begin(), pages.written.end(), [](bool on) { return on; }))
        return std::nullopt;
    return pages;
}

void storeEntryPages(JournalEntry &entry, const EntryPages &pages)
{
    entry.pagesHex.clear();
    entry.pagesLocked.clear();
    for (int page = 1; page <= kPageCount; ++page) {
        const auto i = static_cast<std::size_t>(page - 1);
        entry.pagesHex += (i == 0 ? "" : ",") + (pages.written[i] ? hexDigitsOf(pages.cells.page(page)) : std::string());
        entry.pagesLocked += pages.written[i] && pages.locked[i] ? '1' : '0';
    }
}

PageImage imageOf(const EntryPages &pages)
{
    PageImage image;
    image.cells = pages.cells;
    for (std::size_t i = 0; i < kPageCount; ++i)
        image.blank[i] = !pages.written[i];
    return image;
}

} // namespace teb
