#include "windows/main/pages/page_display.h"

#include "transponder/page_bytes.h"
#include "transponder/page_text.h"

namespace teb {

PageImage PageDisplay::image(const PageCells &fallback) const { return pageImageOf(pageText, asciiFormat, fallback); }

void PageDisplay::keepInBothFormats(std::size_t index, const std::string &text, bool ascii)
{
    hexTextKept[index] = ascii ? asciiTextToHexText(text) : text;
    asciiTextKept[index] = ascii ? text : hexTextToAsciiText(text);
}

void PageDisplay::showPlaced(const PageImage &placed)
{
    for (std::size_t i = 0; i < pageText.size(); ++i) {
        if (placed.placed[i])
            pageText[i] = teb::pageText(placed.cells.page(static_cast<int>(i) + 1), asciiFormat);
    }
}

void PageDisplay::showFound(const PageOutcome &outcome)
{
    for (std::size_t i = 0; i < pageText.size(); ++i) {
        if (!outcome.read[i] && !outcome.sent[i])
            continue;
        const PageBytes bytes = outcome.cells.page(static_cast<int>(i) + 1);
        hexTextKept[i] = hexPageText(bytes);
        asciiTextKept[i] = asciiPageText(bytes);
        if (outcome.read[i])
            pageText[i] = teb::pageText(bytes, asciiFormat);
    }
    if (outcome.uid)
        uidText = *outcome.uid;
}

} // namespace teb
