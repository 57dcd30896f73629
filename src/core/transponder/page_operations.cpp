#include "transponder/page_operations.h"

#include "common/decimal_text.h"
#include "transponder/byte_text.h"
#include "transponder/page_bytes.h"

namespace teb {
namespace {

// An answer this long (with its line end) lets the reading go on to the next page.
constexpr std::size_t kFullAnswerLength = 16;

std::size_t index(int page) { return static_cast<std::size_t>(page - 1); }

void colourAllPages(OperationReport &report, ResultColour colour)
{
    for (int page = 1; page <= kPageCount; ++page)
        report.colourPage(page, colour);
}

// The UID step; returns whether it succeeded and the answer's length as received.
std::pair<bool, std::size_t> runUidStep(PageOperationContext &context, PageOutcome &outcome)
{
    const ReaderTransaction transaction = runTransaction(context.session, readUidCommand());
    outcome.uid = transaction.kept;
    outcome.uidRead = transaction.succeeded;
    context.report.colourUid(transaction.succeeded ? ResultColour::Green : ResultColour::Red);
    if (!transaction.succeeded)
        ++outcome.errorCount;
    context.report.show(outcome);
    context.report.focusUid();
    return {transaction.succeeded, transaction.answer.size()};
}

// The opening of the operations that read the UID along with the pages.
void clearUid(PageOperationContext &context, PageOutcome &outcome)
{
    outcome.uid = std::string();
    context.report.colourUid(ResultColour::White);
}

// Writes one page. A text with faults is not sent. Only the reader's
// refusal ("NAK") or a command that never went out leaves the tag as it was:
// a garbled, empty, late or foreign answer means the write may have taken
// effect.
enum class PageWrite { Acknowledged, Refused, Unanswered, Unsent, TextFaulty };

PageWrite writePage(PageOperationContext &context, const PageRequest &request, int page, PageOutcome &outcome)
{
    const std::size_t i = index(page);
    context.report.colourPage(page, ResultColour::White);
    if (request.image.faulty[i]) {
        context.report.colourPage(page, ResultColour::Red);
        ++outcome.errorCount;
        context.report.notify(pageTextFaultMessage(page, request.asciiFormat), NoticeIcon::Information);
        return PageWrite::TextFaulty;
    }
    const PageBytes bytes = request.image.cells.page(page);
    outcome.cells.setPage(page, bytes);
    outcome.sent[i] = true;

    const ReaderTransaction transaction = runTransaction(context.session, writePageCommand(page, hexDigitsOf(bytes)));
    const bool acknowledged = transaction.succeeded;
    context.report.colourPage(page, acknowledged ? ResultColour::Green : ResultColour::Red);
    if (acknowledged)
        outcome.succeeded[i] = true;
    else
        ++outcome.errorCount;
    context.report.show(outcome);
    if (acknowledged)
        return PageWrite::Acknowledged;
    if (!transaction.sent)
        return PageWrite::Unsent;
    return transaction.kept.starts_with("NAK") ? PageWrite::Refused : PageWrite::Unanswered;
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

PageRead readPage(PageOperationContext &context, int page, PageOutcome &outcome)
{
    const ReaderTransaction transaction = runTransaction(context.session, readPageCommand(page));
    PageRead read{transaction.succeeded ? hexPageBytes(transaction.kept) : std::nullopt, transaction.answer.size()};
    if (read.bytes) {
        outcome.cells.setPage(page, *read.bytes);
        outcome.read[index(page)] = true;
    }
    context.report.colourPage(page, read.bytes ? ResultColour::Green : ResultColour::Red);
    context.report.show(outcome);
    context.report.focusPage(page);
    return read;
}

PageOutcome readUid(PageOperationContext &context)
{
    PageOutcome outcome;
    clearTerminal(context.session);
    const ReaderOperationFlag flag(context.session.port, ReaderOperationFlag::Kind::Reading);
    if (!context.portOpen)
        return outcome;
    context.report.colourUid(ResultColour::White);
    fixTimeBase(context.session, TimeBaseFactor::Other);
    runUidStep(context, outcome);
    return outcome;
}

PageOutcome readPages(PageOperationContext &context, const PageRequest &request, bool withUid)
{
    PageOutcome outcome;
    clearTerminal(context.session);
    const ReaderOperationFlag flag(context.session.port, ReaderOperationFlag::Kind::Reading);
    if (!context.portOpen)
        return outcome;
    colourAllPages(context.report, ResultColour::White);
    fixTimeBase(context.session, TimeBaseFactor::PageRead);
    clearUid(context, outcome);

    std::size_t lastAnswerLength = kFullAnswerLength;
    if (withUid)
        lastAnswerLength = runUidStep(context, outcome).second;
    for (int page = 1; page <= kPageCount; ++page) {
        if (!request.selected[index(page)] || (page >= 2 && lastAnswerLength < kFullAnswerLength))
            continue;
        const PageRead read = readPage(context, page, outcome);
        outcome.succeeded[index(page)] = read.bytes.has_value();
        lastAnswerLength = read.answerLength;
    }
    return outcome;
}

PageOutcome writePages(PageOperationContext &context, const PageRequest &request, bool withUid,
                       std::string_view expectedUid)
{
    PageOutcome outcome;
    clearTerminal(context.session);
    const ReaderOperationFlag flag(context.session.port, ReaderOperationFlag::Kind::Writing);
    colourAllPages(context.report, ResultColour::White);
    if (!context.portOpen) {
        ++outcome.errorCount; // nothing was written: no success for the automatic cycle
        return outcome;
    }
    fixTimeBase(context.session, TimeBaseFactor::Other);
    clearUid(context, outcome);
    if (withUid && !runUidStep(context, outcome).first)
        return outcome; // the tag's data must not go onto a transponder whose UID is unknown
    if (withUid && !expectedUid.empty() && outcome.uid != expectedUid) {
        ++outcome.errorCount; // another transponder lies on the antenna by now
        context.report.colourUid(ResultColour::Red);
        return outcome;
    }

    bool ok = true;
    for (int page = 1; page <= kPageCount; ++page) {
        if (!request.selected[index(page)] || request.image.blank[index(page)] || (page >= 2 && !ok))
            continue;
        const PageWrite result = writePage(context, request, page, outcome);
        if (result == PageWrite::TextFaulty)
            continue;
        ok = result == PageWrite::Acknowledged;
        outcome.reachedTag = outcome.reachedTag || result == PageWrite::Acknowledged || result == PageWrite::Unanswered;
        if (!ok && outcome.failedPage == 0) {
            outcome.failedPage = page;
            outcome.refused = result == PageWrite::Refused;
        }
    }
    return outcome;
}

TransponderReading readTransponder(PageOperationContext &context, const PageFlagArray &pages)
{
    TransponderReading reading;
    PageOutcome &outcome = reading.outcome;
    clearTerminal(context.session);
    const ReaderOperationFlag flag(context.session.port, ReaderOperationFlag::Kind::Reading);
    if (!context.portOpen)
        return reading;
    for (int page = 1; page <= kPageCount; ++page) {
        if (pages[index(page)])
            context.report.colourPage(page, ResultColour::White);
    }
    fixTimeBase(context.session, TimeBaseFactor::PageRead);
    clearUid(context, outcome);
    reading.uidRead = runUidStep(context, outcome).first;
    for (int page = 1; page <= kPageCount; ++page) {
        if (!pages[index(page)])
            continue;
        if (readPage(context, page, outcome).bytes)
            outcome.succeeded[index(page)] = true;
        else if (outcome.failedPage == 0)
            outcome.failedPage = page;
    }
    return reading;
}

PageOutcome lockPages(PageOperationContext &context, const PageRequest &request, const PageFlagArray &lockable)
{
    PageOutcome outcome;
    clearTerminal(context.session);
    const ReaderOperationFlag flag(context.session.port, ReaderOperationFlag::Kind::Reading);
    if (!context.portOpen) {
        ++outcome.errorCount; // nothing was locked
        return outcome;
    }
    fixTimeBase(context.session, TimeBaseFactor::Other);

    bool ok = true;
    for (int page = 1; page <= kPageCount; ++page) {
        const std::size_t i = index(page);
        if (!request.selected[i] || !lockable[i] || (page >= 2 && !ok))
            continue;
        context.report.colourPage(page, ResultColour::White);
        ok = runTransaction(context.session, lockPageCommand(page)).succeeded;
        context.report.colourPage(page, ok ? ResultColour::Green : ResultColour::Red);
        if (!ok)
            ++outcome.errorCount;
        context.report.show(outcome);
    }
    return outcome;
}

} // namespace teb
