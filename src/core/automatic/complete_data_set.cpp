#include "automatic/complete_data_set.h"

#include "automatic/csv_lines.h"
#include "automatic/csv_rows.h"
#include "common/decimal_text.h"
#include "transponder/byte_text.h"

namespace teb {
namespace {

constexpr std::size_t kLeadingFields = 5;

// Pairs of hexadecimal digits; blanks between pairs only where allowed.
std::optional<std::vector<std::uint8_t>> hexBytes(std::string_view text, bool blanksAllowed)
{
    std::string digits;
    for (const char c : text) {
        if (c == ' ' && blanksAllowed)
            continue;
        if (!isHexDigit(c))
            return std::nullopt;
        digits += c;
    }
    if (digits.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(byteFromHexDigits(digits[i], digits[i + 1]));
    return bytes;
}

std::optional<std::vector<std::uint8_t>> valueBytes(const CompleteDataSet &set, int index, bool hex)
{
    const auto i = static_cast<std::size_t>(index);
    if (hex)
        return hexBytes(set.pageHex[i], true);
    return bytesOf(set.pageAscii[i]);
}

std::optional<std::vector<std::uint8_t>> carrierIdBytes(const CompleteDataSet &set, long long length)
{
    const bool hex = set.format == "X";
    const std::string &id = set.carrierId();
    const auto expected = static_cast<std::size_t>(hex ? 2 * length : length);
    if (id.empty() || length <= 0 || id.size() != expected)
        return std::nullopt;
    if (hex)
        return hexBytes(id, false);
    return bytesOf(id);
}

} // namespace

std::optional<CompleteDataSet> readCompleteDataSet(std::string_view row, std::string_view delimiter)
{
    const auto fields = splitCsvFields(row, delimiter);
    if (fields.size() != kCompleteFieldCount + 1)
        return std::nullopt;
    CompleteDataSet set;
    set.format = fields[0];
    set.offset = fields[1];
    set.length = fields[2];
    const bool ascii = set.format == "A";
    const bool hex = set.format == "X";
    (ascii ? set.carrierIdAscii : set.carrierIdHex) = hex || ascii ? std::string(fields[3]) : std::string();
    set.lockCarrierId = fields[4];
    for (std::size_t page = 0; page < kDataPageCount; ++page) {
        const std::string value(fields[kLeadingFields + 2 * page]);
        if (ascii)
            set.pageAscii[page] = value;
        else if (hex)
            set.pageHex[page] = value;
        set.lockPage[page] = fields[kLeadingFields + 2 * page + 1];
    }
    return set;
}

std::optional<CompleteSetBytes> completeSetBytes(const CompleteDataSet &set)
{
    if (set.format != "A" && set.format != "X")
        return std::nullopt;
    const long long offset = readDecimal(set.offset);
    const long long length = readDecimal(set.length);
    const auto id = carrierIdBytes(set, length);
    if (!id || offset < 0 || offset > kCarrierIdPageBytes || length > kCarrierIdPageBytes - offset)
        return std::nullopt;
    CompleteSetBytes bytes;
    bytes.carrierIdRun = {offset, length};
    bytes.carrierId = *id;
    for (int page = 0; page < kDataPageCount; ++page) {
        const auto value = valueBytes(set, page, set.format == "X");
        if (!value || value->size() > kBytesPerPage)
            return std::nullopt;
        std::copy(value->begin(), value->end(), bytes.pages[static_cast<std::size_t>(page)].begin());
    }
    return bytes;
}

void placeCompleteSet(PageImage &image, const CompleteSetBytes &bytes)
{
    image.place(0, std::vector<std::uint8_t>(kCarrierIdPageBytes, 0));
    image.place(bytes.carrierIdRun.offset, bytes.carrierId);
    for (int page = 0; page < kDataPageCount; ++page)
        image.place((kFirstDataPage - 1 + page) * kBytesPerPage, bytes.pages[static_cast<std::size_t>(page)]);
}

PageFlagArray completeSetLocks(const CompleteDataSet &set)
{
    PageFlagArray locks{};
    locks[0] = locks[1] = readFlag(set.lockCarrierId);
    for (int page = 0; page < kDataPageCount; ++page)
        locks[static_cast<std::size_t>(kFirstDataPage - 1 + page)] = readFlag(set.lockPage[static_cast<std::size_t>(page)]);
    return locks;
}

} // namespace teb
