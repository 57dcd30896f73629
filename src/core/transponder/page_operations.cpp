#include "transponder/page_operations.h"

#include "common/decimal_text.h"
#include "transponder/byte_text.h"
#include "transponder/page_bytes.h"
#include "transponder/page_text.h"

namespace teb {
namespace {

// An answer this long (with its line end) lets the reading go on to the next page.
constexpr std::size_t kFullAnswerLength = 16;

std::size_t index(int page) { return static_cast<std::size_t>(page - 1); }

void colourAllPages(OperationReport &report, ResultColour colour)
{
    for (int page = 1; page <= pageCount; ++page)
        report.colourPage(page, colour);
}

// The UID step; returns whether it succeeded and the answer's length as received.
std::pair<bool, std::size_t> runUidStep(PageOperationContext &context)
{
    const ReaderTransaction transaction = runTransaction(context.session, readUidCommand());
    context.fields.uidText = transaction.kept;
    context.report.colourUid(transaction.succeeded ? ResultColour::Green : ResultColour::Red);
    if (!transaction.succeeded)
        ++context.fields.errorCount;
    context.report.showFields();
    context.report.focusUid();
    return {transaction.succeeded, transaction.answer.size()};
}

// The opening of the operations that read the UID along with the pages.
void clearUid(PageOperationContext &context)
{
    context.fields.uidText.clear();
    context.report.colourUid(ResultColour::White);
}

// Writes one page; returns whether the reader acknowledged it. A text with
// faults is not sent and counts as neither. A write whose answer never came
// (or came garbled) may have reached the tag; one the reader answered with
// anything but "ACK" did not.
enum class PageWrite { Acknowledged, Refused, Unanswered, NotSent };

PageWrite writePage(PageOperationContext &context, int page)
{
    PageFields &fields = context.fields;
    const std::size_t i = index(page);
    context.report.colourPage(page, ResultColour::White);
    const std::optional<PageBytes> bytes = pageBytes(fields.pageText[i], fields.asciiFormat);
    if (!bytes) {
        context.report.colourPage(page, ResultColour::Red);
        ++fields.errorCount;
        context.report.notify(pageTextFaultMessage(page, fields.asciiFormat), NoticeIcon::Information);
        return PageWrite::NotSent;
    }
    // The kept texts, which the record file and the manual log show, are
    // those of the bytes sent, however the page text was typed.
    fields.hexTextKept[i] = hexPageText(*bytes);
    fields.asciiTextKept[i] = asciiPageText(*bytes);

    const ReaderTransaction transaction = runTransaction(context.session, writePageCommand(page, hexDigitsOf(*bytes)));
    const bool acknowledged = transaction.succeeded;
    context.report.colourPage(page, acknowledged ? ResultColour::Green : ResultColour::Red);
    if (acknowledged)
        fields.pageSucceeded[i] = true;
    else
        ++fields.errorCount;
    context.report.showFields();
    if (acknowledged)
        return PageWrite::Acknowledged;
    const bool refused = transaction.sent && !transaction.kept.empty() && transaction.kept.find("ACK") == std::string::npos;
    return !transaction.sent || refused ? PageWrite::Refused : PageWrite::Unanswered;
}

} // namespace

std::string pageTextFaultMessage(int page, bool asciiFormat)
{
    const std::string name = "P" + formatDecimal(page);
    if (asciiFormat)
        return "change " + name + " to a length of 8 characters with spaces in between; 'NUL' is 0x00 in ASCII format";
    return "change " + name +
           " to a length of 16 printable hexadecimal characters (20,21,22,...,7D,7E) with spaces in between";
}

PageRead readPage(PageOperationContext &context, int page)
{
    PageFields &fields = context.fields;
    const std::size_t i = index(page);
    const ReaderTransaction transaction = runTransaction(context.session, readPageCommand(page));
    PageRead read{transaction.succeeded, transaction.succeeded ? transaction.kept : std::string(),
                  transaction.answer.size()};
    if (read.succeeded) {
        // Both kept texts follow the transponder, whichever format is shown.
        fields.hexTextKept[i] = groupedInPairs(read.digits);
        fields.asciiTextKept[i] = hexTextToAsciiText(fields.hexTextKept[i]);
        fields.pageText[i] = fields.asciiFormat ? fields.asciiTextKept[i] : fields.hexTextKept[i];
    }
    context.report.colourPage(page, read.succeeded ? ResultColour::Green : ResultColour::Red);
    context.report.showFields();
    context.report.focusPage(page);
    return read;
}

void readUid(PageOperationContext &context)
{
    context.session.terminalText.clear();
    context.fields.errorCount = 0;
    const ReaderOperationFlag flag(context.session.port, ReaderOperationFlag::Kind::Reading);
    if (!context.portOpen)
        return;
    context.report.colourUid(ResultColour::White);
    fixTimeBase(context.session, TimeBaseFactor::Other);
    runUidStep(context);
}

void readPages(PageOperationContext &context, bool withUid)
{
    PageFields &fields = context.fields;
    context.session.terminalText.clear();
    const ReaderOperationFlag flag(context.session.port, ReaderOperationFlag::Kind::Reading);
    fields.pageSucceeded.fill(false);
    if (!context.portOpen)
        return;
    colourAllPages(context.report, ResultColour::White);
    fixTimeBase(context.session, TimeBaseFactor::PageRead);
    clearUid(context);

    std::size_t lastAnswerLength = kFullAnswerLength;
    if (withUid)
        lastAnswerLength = runUidStep(context).second;
    for (int page = 1; page <= pageCount; ++page) {
        if (!fields.pageSelected[index(page)] || (page >= 2 && lastAnswerLength < kFullAnswerLength))
            continue;
        const PageRead read = readPage(context, page);
        fields.pageSucceeded[index(page)] = read.succeeded;
        lastAnswerLength = read.answerLength;
    }
}

bool writePages(PageOperationContext &context, bool withUid, std::string_view expectedUid)
{
    PageFields &fields = context.fields;
    context.session.terminalText.clear();
    fields.errorCount = 0;
    const ReaderOperationFlag flag(context.session.port, ReaderOperationFlag::Kind::Writing);
    fields.pageSucceeded.fill(false);
    colourAllPages(context.report, ResultColour::White);
    if (!context.portOpen) {
        ++fields.errorCount; // nothing was written: no success for the automatic cycle
        return false;
    }
    fixTimeBase(context.session, TimeBaseFactor::Other);
    clearUid(context);
    if (withUid && !runUidStep(context).first)
        return false; // the tag's data must not go onto a transponder whose UID is unknown
    if (withUid && !expectedUid.empty() && fields.uidText != expectedUid) {
        ++fields.errorCount; // another transponder lies on the antenna by now
        context.report.colourUid(ResultColour::Red);
        return false;
    }

    bool ok = true;
    bool reachedTag = false;
    for (int page = 1; page <= pageCount; ++page) {
        if (!fields.pageSelected[index(page)] || fields.pageText[index(page)].empty() || (page >= 2 && !ok))
            continue;
        const PageWrite result = writePage(context, page);
        if (result != PageWrite::NotSent)
            ok = result == PageWrite::Acknowledged;
        reachedTag = reachedTag || result == PageWrite::Acknowledged || result == PageWrite::Unanswered;
    }
    return reachedTag;
}

void lockPages(PageOperationContext &context, const PageFlagArray &lockable)
{
    PageFields &fields = context.fields;
    context.session.terminalText.clear();
    fields.errorCount = 0;
    const ReaderOperationFlag flag(context.session.port, ReaderOperationFlag::Kind::Reading);
    if (!context.portOpen) {
        ++fields.errorCount; // nothing was locked
        return;
    }
    fixTimeBase(context.session, TimeBaseFactor::Other);

    bool ok = true;
    for (int page = 1; page <= pageCount; ++page) {
        const std::size_t i = index(page);
        if (!fields.pageSelected[i] || !lockable[i] || (page >= 2 && !ok))
            continue;
        context.report.colourPage(page, ResultColour::White);
        ok = runTransaction(context.session, lockPageCommand(page)).succeeded;
        context.report.colourPage(page, ok ? ResultColour::Green : ResultColour::Red);
        if (!ok)
            ++fields.errorCount;
        context.report.showFields();
    }
}

} // namespace teb
