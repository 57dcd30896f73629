#pragma once

#include "params/parameter_set.h"

#include <optional>
#include <string>
#include <string_view>

// What the "Config" dialog refuses to save or hand back, with the reason it
// gives. Each message is shown with the warning icon.
namespace teb {

inline constexpr std::string_view kNegativeQuantityMessage = "Quantity must not be negative.";
inline constexpr std::string_view kCarrierIdDigitsMessage =
    "Carrier ID must be a decimal number of at most Carrier ID Length digits.";
inline constexpr std::string_view kCounterPageClashMessage =
    "Decimal counter on Page must not be a page of the carrier ID.\r\n"
    "Choose another page or another Memory Page.";

// The message for a faulty byte cell of pages 1 and 2 (byte 0 .. 15).
std::string faultyCellMessage(int byte);

// A decimal-counter set's carrier ID must be digits, no more of them than its
// length; nothing for a valid one or another source.
std::optional<std::string_view> carrierIdRefusal(const ParameterSet &set);

// True when "Decimal counter on Page" is a page that holds carrier-ID bytes:
// the counter value would be written over the carrier ID.
bool counterPageClashes(const ParameterSet &set);

// The first reason the set cannot be saved or handed back, in the order the
// fields stand in the dialog; nothing when it can.
std::optional<std::string_view> setRefusal(const ParameterSet &set);

} // namespace teb
