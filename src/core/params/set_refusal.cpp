#include "params/set_refusal.h"

#include <algorithm>

#include "common/decimal_text.h"
#include "params/carrier_id_window.h"
#include "params/counter_page.h"

namespace teb {
namespace {

bool isNegative(std::string_view number) { return readDecimalClamped(number, -1, 0) < 0; }

bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::string faultyCellMessage(int byte)
{
    return "Byte " + formatDecimal(byte)
           + " must hold one byte: up to two hexadecimal digits, and a digit 0 .. 9 inside the decimal "
             "Carrier ID.\r\nCorrect the red cell.";
}

std::optional<std::string_view> carrierIdRefusal(const ParameterSet &set)
{
    if (carrierIdSourceOf(set) != CarrierIdSource::DecimalCounter)
        return std::nullopt;
    const int length = std::clamp(carrierIdFieldValue(set.carrierIdLength), 0, kMaxCarrierIdLength);
    if (set.carrierId.size() > static_cast<std::size_t>(length) || !std::ranges::all_of(set.carrierId, isDecimalDigit))
        return kCarrierIdDigitsMessage;
    return std::nullopt;
}

bool counterPageClashes(const ParameterSet &set)
{
    const std::optional<int> counterPage = counterPageNumber(set.counterPage);
    const std::optional<CarrierIdWindow> window = carrierIdWindow(set);
    if (!counterPage || !window)
        return false;
    const int pageStart = (*counterPage - 1) * kBytesPerPage;
    return window->start < pageStart + kBytesPerPage && window->end() > pageStart;
}

std::optional<std::string_view> setRefusal(const ParameterSet &set)
{
    if (isNegative(set.quantity))
        return kNegativeQuantityMessage;
    if (const std::optional<std::string_view> refusal = carrierIdRefusal(set))
        return refusal;
    if (counterPageClashes(set))
        return kCounterPageClashMessage;
    if (counterPageNumber(set.counterPage) && !counterValueOnPage(set.counterValue))
        return kCounterValueTooLongMessage;
    return std::nullopt;
}

} // namespace teb
