#pragma once

#include "transponder/page_operation_context.h"

// The manual page operations, also used by the automatic cycle (write and
// lock). Each runs to its end on the caller's thread, waiting for the reader
// within the waits of its commands, and returns what it came to; the caller
// takes that into its boxes (and appends the manual log row).
//
// errorCount counts the operation's failed steps: 0 means success.
namespace teb {

// The pages an operation takes: the selected ones, and for a write their bytes.
struct PageRequest {
    PageFlagArray selected{};
    PageImage image;
    bool asciiFormat = false; // the format of the page texts, for a write's messages
};

// "TOR", "RUID": the UID box shows the UID, green, or red with one error.
PageOutcome readUid(PageOperationContext &context);

// "TOR", "RUID" when withUid, then "RD n" for the selected pages, stopping
// before page 2 .. 17 once an answer was shorter than 16 characters (with its
// line end). Only a failed UID step counts as an error here.
PageOutcome readPages(PageOperationContext &context, const PageRequest &request, bool withUid);

// "TOR", "RUID" when withUid, then "WD n" for the selected pages that are not
// blank, stopping at the first page that is not acknowledged. A closed port
// and each failed page or UID count as errors; after a failed UID, or a UID
// other than `expectedUid` (when given), nothing is written. reachedTag when
// a write may have reached the tag: one was sent and not refused with "NAK".
PageOutcome writePages(PageOperationContext &context, const PageRequest &request, bool withUid,
                       std::string_view expectedUid = {});

// "TOR", "RUID", then "RD n" for each page asked for, whatever the answers
// before: what the transponder on the antenna holds now (a cycle's
// read-back). failedPage is the first page that could not be read.
struct TransponderReading {
    PageOutcome outcome;
    bool uidRead = false;
};
TransponderReading readTransponder(PageOperationContext &context, const PageFlagArray &pages);

// "TOR", then "LD n" for the selected pages that `lockable` allows, stopping
// at the first refusal. A closed port and each failed page count as errors.
PageOutcome lockPages(PageOperationContext &context, const PageRequest &request, const PageFlagArray &lockable);

// The message for a page text that cannot be written.
std::string pageTextFaultMessage(int page, bool asciiFormat);

// One page read as the page operations read it, into the outcome; its bytes
// when it succeeded. Used by the carrier ID operations too.
struct PageRead {
    std::optional<PageBytes> bytes;
    std::size_t answerLength = 0; // as received, with its line end; 0 when none came
};
PageRead readPage(PageOperationContext &context, int page, PageOutcome &outcome);

} // namespace teb
