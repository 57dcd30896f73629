#include "transponder/page_image.h"

namespace teb {
namespace {

std::size_t index(int page) { return static_cast<std::size_t>(page - 1); }

} // namespace

bool PageImage::holdsBytes(int page) const { return !blank[index(page)] && !faulty[index(page)]; }

bool PageImage::place(long long offset, std::span<const std::uint8_t> bytes)
{
    if (!cells.place(offset, bytes))
        return false;
    if (bytes.empty())
        return true;
    const auto last = offset + static_cast<long long>(bytes.size()) - 1;
    for (auto page = offset / kBytesPerPage + 1; page <= last / kBytesPerPage + 1; ++page) {
        const auto i = index(static_cast<int>(page));
        blank[i] = faulty[i] = false;
        placed[i] = true;
    }
    return true;
}

PageImage pageImageOf(const PageTextArray &texts, bool asciiFormat, const PageCells &fallback)
{
    PageImage image;
    for (int page = 1; page <= kPageCount; ++page) {
        const std::string &text = texts[index(page)];
        const auto bytes = pageBytes(text, asciiFormat);
        image.cells.setPage(page, bytes ? *bytes : fallback.page(page));
        image.blank[index(page)] = text.empty();
        image.faulty[index(page)] = !text.empty() && !bytes;
    }
    return image;
}

} // namespace teb
