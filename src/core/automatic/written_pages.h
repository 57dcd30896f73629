#pragma once

#include "transponder/page_image.h"

#include <string>

namespace teb {

// Pages 1 and 2 as the journal's pagesHex holds them for a cycle that writes
// `selected` from `image`: each page's 16 HEX digits, empty for a page it
// leaves alone. What the journal keeps pages 1 and 2 unique by.
std::string carrierPagesHex(const PageImage &image, const PageFlagArray &selected);

} // namespace teb
