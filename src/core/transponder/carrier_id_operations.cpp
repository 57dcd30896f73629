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

int pageOfCell(long long cell) { return cell < kBytesPerPage ? 1 : 2; }

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

// The pages a write sends, with the carrier ID placed over their bytes as read.
struct CarrierIdPagesWrite {
    PageCells cells;
    PageFlagArray pages{};
    bool built = false;        // both reads succeeded and the reservation was made
    bool acknowledged = false; // every write
    bool reachedTag = false;   // a write went out and was not refused with "NAK"
};

// Writes the pages the carrier ID lies in, with it placed over their bytes
// as read, once the reservation holds them.
CarrierIdPagesWrite writeCarrierIdPages(PageOperationContext &context, const CarrierIdRange &range,
                                        const std::vector<std::uint8_t> &carrierIdBytes,
                                        const CarrierIdReservation &reserve)
{
    CarrierIdPagesWrite write;
    fixTimeBase(context.session, TimeBaseFactor::Other);
    OperationReport &report = context.report;
    const CarrierIdPages pages = carrierIdPages(range);
    for (int page = pages.first; page <= pages.last; ++page) {
        const ReaderTransaction read = runTransaction(context.session, readPageCommand(page));
        const std::optional<PageBytes> bytes = read.succeeded ? hexPageBytes(read.kept) : std::nullopt;
        if (!bytes) {
            // A page built from a failed read would overwrite its other bytes with nonsense.
            report.colourCarrierId(ResultColour::Red);
            return write;
        }
        write.cells.setPage(page, *bytes);
        write.pages[static_cast<std::size_t>(page - 1)] = true;
    }
    write.cells.place(range.offset, carrierIdBytes);
    if (reserve && !reserve(write.cells, write.pages)) {
        report.colourCarrierId(ResultColour::Red);
        return write;
    }
    write.built = true;
    report.colourCarrierId(ResultColour::White);
    report.colourPage(1, ResultColour::White);
    report.colourPage(2, ResultColour::White);

    write.acknowledged = true;
    for (int page = pages.first; page <= pages.last && write.acknowledged; ++page) {
        const PageBytes bytes = write.cells.page(page);
        const ReaderTransaction sent = runTransaction(context.session, writePageCommand(page, hexDigitsOf(bytes)));
        write.acknowledged = sent.succeeded;
        write.reachedTag = write.reachedTag || (sent.sent && !sent.kept.starts_with("NAK"));
        report.colourPage(page, write.acknowledged ? ResultColour::Green : ResultColour::Red);
        report.focusPage(page);
    }
    report.colourCarrierId(write.acknowledged ? ResultColour::Green : ResultColour::Red);
    return write;
}

// The pages written read back as they were sent.
bool readsBack(const PageOutcome &readBack, const CarrierIdPagesWrite &write)
{
    for (int page = 1; page <= 2; ++page) {
        const auto i = static_cast<std::size_t>(page - 1);
        if (write.pages[i] && (!readBack.read[i] || readBack.cells.page(page) != write.cells.page(page)))
            return false;
    }
    return true;
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
    const long long length = std::clamp<long long>(leadingNumber(lengthText), 1, kCarrierIdPageBytes);
    return {leadingNumber(offsetText), static_cast<int>(length)};
}

int carrierIdLength(const std::string &lengthText) { return carrierIdRange("0", lengthText).length; }

bool fitsPagesOneAndTwo(const CarrierIdRange &range)
{
    return range.offset >= 0 && range.offset + range.length <= kCarrierIdPageBytes;
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

CarrierIdWrite writeCarrierId(PageOperationContext &context, const CarrierIdEntry &entry,
                              const CarrierIdReservation &reserve)
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

    CarrierIdPagesWrite write;
    {
        const ReaderOperationFlag flag(context.session.port, ReaderOperationFlag::Kind::Writing);
        write = writeCarrierIdPages(context, range, *bytes, reserve);
        report.show(result.outcome);
        report.focusCarrierId();
    }
    result.reserved = write.built && reserve;
    result.reachedTag = write.reachedTag;

    // The read-back's lines go above the write's, which stay: a refusal leaves its trace.
    const ReaderOperationFlag flag(context.session.port, ReaderOperationFlag::Kind::Reading);
    const auto readBack = readCarrierIdBytes(context, range, entry.asciiFormat, result.outcome);
    if (!write.acknowledged || readBack != bytes || !readsBack(result.outcome, write)) {
        report.colourCarrierId(ResultColour::Red);
        report.show(result.outcome);
        return result;
    }
    result.written = true;
    return result;
}

} // namespace teb
