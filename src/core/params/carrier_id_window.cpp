#include "params/carrier_id_window.h"

#include <algorithm>

#include "common/decimal_text.h"
#include "transponder/page_bytes.h"

namespace teb {
namespace {

// The first byte a window's offset counts from.
int windowBase(CarrierIdSource source, int memoryPage)
{
    return source == CarrierIdSource::CsvFile ? kBytesPerPage * (memoryPage - 1) : 0;
}

} // namespace

CarrierIdSource carrierIdSourceOf(const ParameterSet &set)
{
    if (set.useCsvFile)
        return CarrierIdSource::CsvFile;
    if (set.csvFileComplete)
        return CarrierIdSource::CsvFileComplete;
    if (set.useFixData)
        return CarrierIdSource::FixData;
    return CarrierIdSource::DecimalCounter;
}

bool hasCarrierIdSource(const ParameterSet &set)
{
    return set.useDecimalCounter || set.useCsvFile || set.csvFileComplete || set.useFixData;
}

int carrierIdFieldValue(std::string_view field)
{
    // Wide enough for any window to count as outside, narrow enough that
    // sums of two values never overflow.
    constexpr std::int32_t kFarOutside = 1'000'000;
    return readDecimalClamped(field, -kFarOutside, kFarOutside);
}

int memoryPageOf(std::string_view memoryPage) { return std::clamp(carrierIdFieldValue(memoryPage), 1, kPageCount); }

CarrierIdCheck checkCarrierIdFields(CarrierIdSource source, const CarrierIdSetupFields &fields)
{
    CarrierIdCheck check{fields, {}};
    long long offset = carrierIdFieldValue(fields.offset);
    long long length = carrierIdFieldValue(fields.length);
    const int page = memoryPageOf(fields.memoryPage);
    bool lengthChanged = false;
    bool offsetChanged = false;

    if (length > kMaxCarrierIdLength) {
        length = kMaxCarrierIdLength;
        lengthChanged = true;
        check.messages.push_back(kLengthMessage);
    }
    if (offset + length >= kCarrierIdPageBytes + 1 && source == CarrierIdSource::DecimalCounter) {
        length = kCarrierIdPageBytes - offset;
        lengthChanged = true;
        check.messages.push_back(kOffsetPlusLengthMessage);
    }
    if (offset + length >= kBytesPerPage + 1 && page == kPageCount) {
        length = kBytesPerPage - offset;
        lengthChanged = true;
        check.messages.push_back(kPage17Message);
    }
    // A decimal counter lives in pages 1 and 2; every other window must stay
    // inside the memory from the start of its page on.
    const long long limit = source == CarrierIdSource::DecimalCounter ? kCarrierIdPageBytes
                                                                      : kCellCount - windowBase(source, page);
    const long long keptOffset = std::clamp(offset, 0LL, limit);
    const long long keptLength = std::clamp(length, 0LL, limit - keptOffset);
    if (keptOffset != offset || keptLength != length) {
        offsetChanged = keptOffset != offset;
        lengthChanged = true;
        if (std::ranges::find(check.messages, kLengthMessage) == check.messages.end())
            check.messages.push_back(kLengthMessage);
    }
    if (offsetChanged)
        check.fields.offset = formatDecimal(static_cast<std::int32_t>(keptOffset));
    if (lengthChanged)
        check.fields.length = formatDecimal(static_cast<std::int32_t>(keptLength));
    if (isCsvSource(source) && carrierIdFieldValue(fields.memoryPage) != page)
        check.fields.memoryPage = formatDecimal(page);
    return check;
}

std::optional<CarrierIdWindow> carrierIdWindow(const ParameterSet &set)
{
    const CarrierIdSource source = carrierIdSourceOf(set);
    if (source == CarrierIdSource::FixData || source == CarrierIdSource::CsvFileComplete)
        return std::nullopt;
    const int offset = carrierIdFieldValue(set.carrierIdOffset);
    const int pageStart = windowBase(source, memoryPageOf(set.memoryPage));
    const int length = carrierIdFieldValue(set.carrierIdLength);
    if (offset < 0 || !runFitsCells(pageStart + offset, length))
        return std::nullopt;
    return CarrierIdWindow{pageStart + offset, length, pageStart};
}

bool isCsvSource(CarrierIdSource source)
{
    return source == CarrierIdSource::CsvFile || source == CarrierIdSource::CsvFileComplete;
}

bool isClearedAround(const CarrierIdWindow &window, int byte)
{
    if (byte < 0 || byte >= kCarrierIdPageBytes || window.contains(byte))
        return false;
    const int endOfLastPage = (window.end() + kBytesPerPage - 1) / kBytesPerPage * kBytesPerPage;
    return (byte >= window.pageStart && byte < window.start) || (byte >= window.end() && byte < endOfLastPage);
}

std::string paddedCarrierId(std::string_view carrierId, int length)
{
    const auto size = static_cast<std::size_t>(std::max(length, 0));
    if (carrierId.size() >= size)
        return std::string(carrierId.substr(0, size));
    return std::string(size - carrierId.size(), '0') + std::string(carrierId);
}

} // namespace teb
