#include "automatic/counter_arithmetic.h"

#include "common/decimal_text.h"

#include <limits>

namespace teb {
namespace {

constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max();

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isLeadingBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// value * 10 + digit, or nothing when that no longer fits.
std::optional<std::uint64_t> appendDigit(std::uint64_t value, char digit)
{
    const auto d = static_cast<std::uint64_t>(digit - '0');
    if (value > (kLargest - d) / 10u)
        return std::nullopt;
    return value * 10u + d;
}

// How far `value` lies after `start` in a run of counter page values.
std::uint64_t stepsIntoRun(std::uint64_t start, std::uint64_t value)
{
    constexpr std::uint64_t kValues = kCounterPageLimit + 1u;
    return (value % kValues + kValues - start % kValues) % kValues;
}

} // namespace

std::uint64_t readCounter(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isLeadingBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint64_t value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        const auto next = appendDigit(value, text[i]);
        if (!next) {
            value = kLargest;
            break;
        }
        value = *next;
    }
    return negative ? 0u : value;
}

std::uint64_t counterLimit(std::string_view lengthText)
{
    const std::int32_t length = readDecimal(lengthText);
    if (length <= 0)
        return 0;
    std::uint64_t power = 1;
    for (std::int32_t i = 0; i < length; ++i) {
        if (power > kLargest / 10u)
            return kLargest;
        power *= 10u;
    }
    return power - 1u;
}

std::string steppedCounter(std::string_view value, std::string_view lengthText, StepDirection direction)
{
    const std::uint64_t limit = counterLimit(lengthText);
    std::uint64_t number = std::min(readCounter(value), limit);
    if (direction == StepDirection::Up)
        number = number < limit ? number + 1u : 0u;
    else
        number = number == 0u ? limit : number - 1u;
    return formatUnsigned64(number);
}

std::string committedCounter(std::string_view value, std::string_view lengthText)
{
    return formatUnsigned64(std::min(readCounter(value), counterLimit(lengthText)));
}

std::optional<std::uint64_t> countedNumber(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (!isDigit(c))
            return std::nullopt;
        const auto next = appendDigit(value, c);
        if (!next)
            return std::nullopt;
        value = *next;
    }
    return value;
}

std::string zeroPadded(std::uint64_t value, std::size_t width)
{
    std::string text = formatUnsigned64(value);
    if (text.size() < width)
        text.insert(0, width - text.size(), '0');
    return text;
}

std::string nextCounterPageValue(std::uint64_t value)
{
    const std::uint64_t next = value >= kCounterPageLimit ? 0u : value + 1u;
    return zeroPadded(next, kCounterPageDigits);
}

bool counterPageValueBehind(std::string_view value, std::string_view runStart, std::string_view runNext)
{
    const std::uint64_t number = readCounter(value);
    if (number > kCounterPageLimit)
        return false; // no counter page value: the placement refuses it
    const std::uint64_t start = readCounter(runStart);
    return stepsIntoRun(start, number) < stepsIntoRun(start, readCounter(runNext));
}

std::string counterPageValueInRun(const std::string &value, std::string_view runStart,
                                  const std::optional<std::string> &lastOfRun)
{
    if (!lastOfRun)
        return value;
    const std::string runNext = nextCounterPageValue(readCounter(*lastOfRun));
    return counterPageValueBehind(value, runStart, runNext) ? runNext : value;
}

bool isEmptyWorkOrder(std::string_view quantity)
{
    const bool stated = quantity.find_first_of("0123456789") != std::string_view::npos;
    return stated && readCounter(quantity) == 0;
}

} // namespace teb
