#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The decimal counter's arithmetic on the texts the operator sees ("next",
// "max", the counter page value). Every result saturates: a negative text
// reads as 0, a number too large for 64 bits as the largest one, and the
// limit of a long carrier ID stops at what 64 bits hold.
namespace teb {

enum class StepDirection { Up, Down };

// The leading decimal number of a text (blanks and a sign allowed, reading
// stops at the first non-digit, no digits read as 0); negative reads as 0,
// too large as the largest 64-bit value.
std::uint64_t readCounter(std::string_view text);

// 10^L - 1 for the carrier ID length L; 0 for L <= 0, the largest 64-bit
// value once 10^L no longer fits.
std::uint64_t counterLimit(std::string_view lengthText);

// A spin arrow on "next" or "max": up wraps from the limit to 0, down from 0
// to the limit. The value is first brought into 0 .. limit.
std::string steppedCounter(std::string_view value, std::string_view lengthText, StepDirection direction);

// Leaving "next" or "max": the value, no larger than the limit.
std::string committedCounter(std::string_view value, std::string_view lengthText);

// The number a counter text counts when it is nothing but decimal digits and
// fits 64 bits; empty otherwise (blanks, signs, letters, an empty text).
std::optional<std::uint64_t> countedNumber(std::string_view text);

// The number in decimal, zero-padded on the left to at least `width` digits.
std::string zeroPadded(std::uint64_t value, std::size_t width);

// The counter page value after one programmed transponder: + 1, from
// 99999999 back to 00000000, always eight digits.
std::string nextCounterPageValue(std::uint64_t value);

// A counter page run writes from its start up to 99999999, then on from
// 00000000. True when `value` comes before `runNext` in that order: the run
// has written it already.
bool counterPageValueBehind(std::string_view value, std::string_view runStart, std::string_view runNext);

// The counter page value a cycle writes: `value`, unless it lies behind the
// value after the run's last (`lastOfRun`, none before the run's first cycle).
std::string counterPageValueInRun(const std::string &value, std::string_view runStart,
                                  const std::optional<std::string> &lastOfRun);

// A work order whose quantity is given as 0: nothing to program. An empty
// quantity is no work order at all, and "max" alone limits the counter.
bool isEmptyWorkOrder(std::string_view quantity);

inline constexpr std::uint64_t kCounterPageLimit = 99'999'999;
inline constexpr std::size_t kCounterPageDigits = 8;

} // namespace teb
