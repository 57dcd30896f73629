#include "transponder/carrier_id_operations.h"

#include "common/decimal_text.h"
#include "transponder/byte_text.h"
#include "transponder/page_bytes.h"
#include "transponder/page_operations.h"

#include <algorithm>
#include <cctype>
#include <span>
#include <vector>

namespace teb {
namespace {

constexpr long long kNumberLimit = 1'000'000'000;

// The leading decimal number of a text (leading blanks and one sign allowed,
// 0 without digits), held within +-10^9 so that no value wraps into range.
long long leadingNumber(std::string_view text)
{
    std::size_t position = text.find_first_not_of(" \t");
    if (position == std::string_view::npos)
        return 0;
    bool negative = false;
    if (text[position] == '+' || text[position] == '-')
        negative = text[position++] == '-';
    long long value = 0;
    while (position < text.size() && std::isdigit(static_cast<unsigned char>(text[position])))
        value = std::min(kNumberLimit, value * 10 + (text[position++] - '0'));
    return negative ? -value : value;
}

int pageOfCell(long long cell) { return cell < bytesPerPage ? 1 : 2; }

// The pages the carrier ID lies in: page 1, page 2 or both.
struct CarrierIdPages {
    int first = 1;
    int last = 2;
};

CarrierIdPages carrierIdPages(const CarrierIdRange &range)
{
    return {pageOfCell(range.offset), pageOfCell(range.offset + range.length - 1)};
}

std::string lengthMessage(int length, bool asciiFormat)
{
    const std::string number = std::to_string(length);
    if (asciiFormat)
        return "change Carrier ID to a length of " + number + " characters";
    return "change Carrier ID to a length of " + number + " printable hexadecimal (20,21,..7E,..) characters";
}

// Reads the carrier ID's pages into the outcome; the taken bytes when every read succeeded.
std::optional<std::vector<std::uint8_t>> readCarrierIdBytes(PageOperationContext &context,
                                                            const CarrierIdRange &range, bool asciiFormat,
                                                            PageOutcome &outcome)
{
    fixTimeBase(context.session, TimeBaseFactor::PageRead);
    OperationReport &report = context.report;
    report.colourCarrierId(ResultColour::White);
    report.colourPage(1, ResultColour::White);
    report.colourPage(2, ResultColour::White);

    // After a failed page no further page is read, as the page reads do.
    bool failed = false;
    const CarrierIdPages pages = carrierIdPages(range);
    for (int page = pages.first; page <= pages.last && !failed; ++page)
        failed = !readPage(context, page, outcome).bytes;
    report.colourCarrierId(failed ? ResultColour::Red : ResultColour::Green);
    std::optional<std::vector<std::uint8_t>> taken;
    if (!failed) {
        taken = outcome.cells.take(range.offset, range.length);
        const std::string digits = hexDigitsOf(*taken);
        outcome.carrierId = asciiFormat ? hexDigitsToText(digits) : digits;
    }
    report.show(outcome);
    report.focusCarrierId();
    return taken;
}

// Writes the pages the carrier ID lies in, with it placed over their bytes
// as read; true when every write was acknowledged.
bool writeCarrierIdPages(PageOperationContext &context, const CarrierIdRange &range,
                         const std::vector<std::uint8_t> &carrierIdBytes)
{
    fixTimeBase(context.session, TimeBaseFactor::Other);
    OperationReport &report = context.report;
    const CarrierIdPages pages = carrierIdPages(range);
    PageCells cells;
    for (int page = pages.first; page <= pages.last; ++page) {
        const ReaderTransaction read = runTransaction(context.session, readPageCommand(page));
        const std::optional<PageBytes> bytes = read.succeeded ? hexPageBytes(read.kept) : std::nullopt;
        if (!bytes) {
            // A page built from a failed read would overwrite its other bytes with nonsense.
            report.colourCarrierId(ResultColour::Red);
            return false;
        }
        cells.setPage(page, *bytes);
    }
    cells.place(range.offset, carrierIdBytes);
    report.colourCarrierId(ResultColour::White);
    report.colourPage(1, ResultColour::White);
    report.colourPage(2, ResultColour::White);

    bool acknowledged = true;
    for (int page = pages.first; page <= pages.last && acknowledged; ++page) {
        const PageBytes bytes = cells.page(page);
        acknowledged = runTransaction(context.session, writePageCommand(page, hexDigitsOf(bytes))).succeeded;
        report.colourPage(page, acknowledged ? ResultColour::Green : ResultColour::Red);
        report.focusPage(page);
    }
    report.colourCarrierId(acknowledged ? ResultColour::Green : ResultColour::Red);
    return acknowledged;
}

} // namespace

std::optional<std::vector<std::uint8_t>> carrierIdBytes(const std::string &text, int length, bool asciiFormat)
{
    if (asciiFormat) {
        if (text.size() != static_cast<std::size_t>(length))
            return std::nullopt;
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }
    const bool allDigits = std::all_of(text.begin(), text.end(), isHexDigit);
    if (!allDigits || text.size() != 2 * static_cast<std::size_t>(length))
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < text.size(); i += 2)
        bytes.push_back(byteFromHexDigits(text[i], text[i + 1]));
    return bytes;
}

CarrierIdRange carrierIdRange(const std::string &offsetText, const std::string &lengthText)
{
    const long long length = std::clamp<long long>(leadingNumber(lengthText), 1, carrierIdPageBytes);
    return {leadingNumber(offsetText), static_cast<int>(length)};
}

int carrierIdLength(const std::string &lengthText) { return carrierIdRange("0", lengthText).length; }

bool fitsPagesOneAndTwo(const CarrierIdRange &range)
{
    return range.offset >= 0 && range.offset + range.length <= carrierIdPageBytes;
}

std::string carrierIdRangeMessage()
{
    return "change Carrier ID Offset and Carrier ID Length so that the Carrier ID lies within the 16 bytes of "
           "pages 1 and 2";
}

std::optional<std::string> carrierIdLengthWarning(const std::string &carrierId, const std::string &lengthText,
                                                  bool asciiFormat)
{
    const int length = carrierIdLength(lengthText);
    const auto expected = static_cast<std::size_t>(asciiFormat ? length : 2 * length);
    if (carrierId.size() == expected)
        return std::nullopt;
    return lengthMessage(length, asciiFormat);
}

PageOutcome readCarrierId(PageOperationContext &context, const CarrierIdEntry &entry)
{
    PageOutcome outcome;
    const CarrierIdRange range = carrierIdRange(entry.offsetText, entry.lengthText);
    clearTerminal(context.session);
    const ReaderOperationFlag flag(context.session.port, ReaderOperationFlag::Kind::Reading);
    if (!context.portOpen)
        return outcome;
    if (!fitsPagesOneAndTwo(range)) {
        context.report.colourCarrierId(ResultColour::Red);
        context.report.notify(carrierIdRangeMessage(), NoticeIcon::Warning);
        return outcome;
    }
    readCarrierIdBytes(context, range, entry.asciiFormat, outcome);
    return outcome;
}

CarrierIdWrite writeCarrierId(PageOperationContext &context, const CarrierIdEntry &entry)
{
    CarrierIdWrite result;
    const CarrierIdRange range = carrierIdRange(entry.offsetText, entry.lengthText);
    clearTerminal(context.session);
    if (!context.portOpen)
        return result; // the read-back would do nothing either
    OperationReport &report = context.report;
    if (!fitsPagesOneAndTwo(range)) {
        report.colourCarrierId(ResultColour::Red);
        report.notify(carrierIdRangeMessage(), NoticeIcon::Warning);
        return result;
    }
    const auto bytes = carrierIdBytes(entry.carrierId, range.length, entry.asciiFormat);
    if (!bytes) {
        report.colourCarrierId(ResultColour::Red);
        report.notify(lengthMessage(range.length, entry.asciiFormat), NoticeIcon::Warning);
        return result;
    }

    bool written = false;
    {
        const ReaderOperationFlag flag(context.session.port, ReaderOperationFlag::Kind::Writing);
        written = writeCarrierIdPages(context, range, *bytes);
        report.show(result.outcome);
        report.focusCarrierId();
    }

    // The read-back's lines go above the write's, which stay: a refusal leaves its trace.
    const ReaderOperationFlag flag(context.session.port, ReaderOperationFlag::Kind::Reading);
    const auto readBack = readCarrierIdBytes(context, range, entry.asciiFormat, result.outcome);
    if (!written || readBack != bytes) {
        report.colourCarrierId(ResultColour::Red);
        report.show(result.outcome);
        return result;
    }
    result.written = true;
    return result;
}

} // namespace teb
