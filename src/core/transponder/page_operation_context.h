#pragma once

#include "reader/reader_transaction.h"
#include "transponder/page_image.h"

#include <optional>
#include <string>

// What the page and carrier ID operations work with: the reader link, the
// ways they report to the window while they run (colours, focus, what was
// found so far, a message), and what they come to.
namespace teb {

// Result colours of the page, UID and carrier-ID boxes.
enum class ResultColour { White, Green, Red };

enum class NoticeIcon { Information, Warning };

// What a page or carrier ID operation came to; the window takes it into its
// boxes. Bytes are rendered as page texts only there.
struct PageOutcome {
    PageCells cells;                      // the bytes of the pages read or sent
    PageFlagArray read{};                 // pages read from the tag: their boxes show them
    PageFlagArray sent{};                 // pages sent to the tag
    PageFlagArray succeeded{};            // pages read or written
    std::optional<std::string> uid;       // the UID box's text, once the operation set it
    std::optional<std::string> carrierId; // the carrier ID read
    int errorCount = 0;                   // failed steps: 0 means success
    bool reachedTag = false;              // a write was sent and not refused with "NAK"
    bool uidRead = false;                 // the UID step succeeded
    int failedPage = 0;                   // the first page whose write or read failed
    bool refused = false;                 // and the reader refused it with "NAK": nothing changed
};

class OperationReport {
public:
    virtual ~OperationReport() = default;
    virtual void colourPage(int page, ResultColour colour) = 0; // 1 .. 17
    virtual void colourUid(ResultColour colour) = 0;
    virtual void colourCarrierId(ResultColour colour) = 0;
    virtual void focusPage(int page) = 0;
    virtual void focusUid() = 0;
    virtual void focusCarrierId() = 0;
    // What the operation found so far into the boxes, the window repainted at
    // once, so the operator sees each page's result while the next waits.
    virtual void show(const PageOutcome &soFar) = 0;
    // A message box with the station's caption.
    virtual void notify(const std::string &text, NoticeIcon icon) = 0;
};

// The reader link an operation runs on, and where it reports.
struct PageOperationContext {
    ReaderSession session;
    bool portOpen = false;
    OperationReport &report;
};

} // namespace teb
