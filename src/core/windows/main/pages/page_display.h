#pragma once

#include "windows/main/cqv58_dlg_control.h"
#include "transponder/page_image.h"
#include "transponder/page_operation_context.h"

#include <array>
#include <string>

namespace teb {

// The page boxes as the main window shows them: mode and format, the
// selection, the texts typed and those kept for the other format, the UID,
// each page's result in the last read or write, and the focus asked for.
// The page boxes are where page texts and bytes meet: a box is read into
// bytes when an operation takes the pages, and bytes become a box's text in
// the current format.
struct PageDisplay {
    using PageTexts = std::array<std::string, kPageCount>; // index n-1 for page n
    using PageFlags = std::array<bool, kPageCount>;

    // The boxes' bytes; a box that holds no eight bytes gives the fallback's.
    PageImage image(const PageCells &fallback = {}) const;
    // Placed pages show their bytes.
    void showPlaced(const PageImage &placed);
    // Pages read show their bytes; the kept texts, which the record file and
    // the manual log show, follow the bytes read or sent.
    void showFound(const PageOutcome &outcome);
    // A page's text in the given format kept in both formats.
    void keepInBothFormats(std::size_t index, const std::string &text, bool ascii);

    bool automaticMode = false;
    bool asciiFormat = false;
    bool selectAll = false;
    PageFlags pageSelected{};
    PageTexts pageText;
    PageTexts pageDefault;
    PageTexts hexTextKept;
    PageTexts asciiTextKept;
    std::string uidText;
    PageFlags pageSucceeded{}; // per page: read or written in the last read or write
    PageFlags pageFocusRequest{};
    bool focusOneRequest = false;
};

} // namespace teb
