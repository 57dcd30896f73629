#pragma once

#include "common/page_layout.h"
#include "reader/reader_transaction.h"

#include <array>
#include <string>

// What the page and carrier ID operations work on: the main window's page
// fields and reader link, handed in as references, and the few ways they
// report to the window (colours, focus, showing the fields, a message).
namespace teb {

using PageTextArray = std::array<std::string, pageCount>; // index n-1 for page n
using PageFlagArray = std::array<bool, pageCount>;

// Result colours of the page, UID and carrier-ID boxes.
enum class ResultColour { White, Green, Red };

enum class NoticeIcon { Information, Warning };

class OperationReport {
public:
    virtual ~OperationReport() = default;
    virtual void colourPage(int page, ResultColour colour) = 0; // 1 .. 17
    virtual void colourUid(ResultColour colour) = 0;
    virtual void colourCarrierId(ResultColour colour) = 0;
    virtual void focusPage(int page) = 0;
    virtual void focusUid() = 0;
    virtual void focusCarrierId() = 0;
    // The fields into the controls, the window repainted at once, so the
    // operator sees each page's result while the next waits for the reader.
    virtual void showFields() = 0;
    // A message box with the station's caption.
    virtual void notify(const std::string &text, NoticeIcon icon) = 0;
};

struct PageFields {
    PageTextArray &pageText;
    PageTextArray &hexTextKept;
    PageTextArray &asciiTextKept;
    const PageFlagArray &pageSelected;
    const bool &asciiFormat;
    std::string &uidText;
    PageFlagArray &pageSucceeded;
    int &errorCount;
};

struct PageOperationContext {
    ReaderSession session;
    bool portOpen = false;
    PageFields fields;
    OperationReport &report;
};

} // namespace teb
