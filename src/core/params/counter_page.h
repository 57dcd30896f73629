#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace teb {

inline constexpr int kCounterValueDigits = 8;
inline constexpr std::string_view kCounterValueTooLongMessage =
    "Counter Value must have at most 8 digits to fit on its page.\r\n"
    "Enter a shorter value on the page with \"Edit\" or choose \"None\".";

// The counter page of a "Counter Page" text: 3 .. 17, or nothing for "None".
std::optional<int> counterPageNumber(std::string_view counterPage);

// The eight characters a counter value puts on its page: its number with "0"
// in front; nothing for a value of more than eight digits, which no page holds.
std::optional<std::string> counterValueOnPage(std::string_view counterValue);

} // namespace teb
