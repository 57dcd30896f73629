#pragma once

#include "transponder/page_operation_context.h"

// The manual page operations, also used by the automatic cycle (write and
// lock). Each runs to its end on the caller's thread, waiting for the reader
// within the waits of its commands. The caller takes the controls' values
// into the fields before and shows the fields (and appends the manual log
// row) after.
//
// errorCount counts failed steps: 0 means success. writePages and lockPages
// set it to 0 at their start; readPages leaves it as it was.
namespace teb {

// "TOR", "RUID": the UID box shows the UID, green, or red with errorCount + 1.
void readUid(PageOperationContext &context);

// "TOR", "RUID" when withUid, then "RD n" for the selected pages, stopping
// before page 2 .. 17 once an answer was shorter than 16 characters (with its
// line end). A page read updates the page text and both kept texts.
void readPages(PageOperationContext &context, bool withUid);

// "TOR", "RUID" when withUid, then "WD n" for the selected pages with a text,
// stopping at the first page the reader refuses. A closed port and each
// failed page or UID count in errorCount; after a failed UID, or a UID other
// than `expectedUid` (when given), nothing is written. True when a write may
// have reached the tag: one was acknowledged, or sent and not answered with
// a refusal.
bool writePages(PageOperationContext &context, bool withUid, std::string_view expectedUid = {});

// "TOR", then "LD n" for the selected pages that `lockable` allows, stopping
// at the first refusal. A closed port and each failed page count in
// errorCount.
void lockPages(PageOperationContext &context, const PageFlagArray &lockable);

// The message for a page text that cannot be written.
std::string pageTextFaultMessage(int page, bool asciiFormat);

// One page read as the page operations read it; the 16 digits when it
// succeeded. Used by the carrier ID operations too.
struct PageRead {
    bool succeeded = false;
    std::string digits;
    std::size_t answerLength = 0; // as received, with its line end; 0 when none came
};
PageRead readPage(PageOperationContext &context, int page);

} // namespace teb
