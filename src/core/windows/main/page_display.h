#pragma once

#include "windows/main/main_window_control.h"

#include <array>
#include <string>

namespace teb {

// The page boxes as the main window shows them: mode and format, the
// selection, the texts typed and those kept for the other format, the UID,
// each page's result in the last read or write, and the focus asked for.
struct PageDisplay {
    using PageTexts = std::array<std::string, kPageCount>; // index n-1 for page n
    using PageFlags = std::array<bool, kPageCount>;

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
