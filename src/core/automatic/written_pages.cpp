#include "automatic/written_pages.h"

#include "transponder/byte_text.h"

namespace teb {

std::string carrierPagesHex(const PageImage &image, const PageFlagArray &selected)
{
    std::string pages;
    for (int page = 1; page <= 2; ++page) {
        const bool written = selected[static_cast<std::size_t>(page - 1)] && image.holdsBytes(page);
        pages += (page == 1 ? "" : ",") + (written ? hexDigitsOf(image.cells.page(page)) : std::string());
    }
    return pages;
}

} // namespace teb
