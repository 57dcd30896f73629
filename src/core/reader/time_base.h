#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace teb {

// The time unit T (milliseconds) from which every wait for an answer is derived.
inline constexpr std::int32_t kStartTimeBase = 160;

// What the "TOR" answer's number is multiplied by: page-reading operations use
// a shorter unit than all the others.
enum class TimeBaseFactor : std::int32_t { PageRead = 13, Other = 25 };

// The time base that a "TOR" answer gives: its leading number n (1..255)
// times the factor. Any other number, text or a missing answer give none, and
// the time base stays as it was.
std::optional<std::int32_t> timeBaseFromAnswer(std::string_view torAnswer, TimeBaseFactor factor);

} // namespace teb
