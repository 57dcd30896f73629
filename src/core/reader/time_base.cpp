#include "reader/time_base.h"

#include <cstdlib>
#include <string>

namespace teb {
namespace {

constexpr long long kLowestTimeNumber = 1;
constexpr long long kHighestTimeNumber = 255;

// The answer's leading decimal number (leading blanks and a sign allowed, 0
// without digits). A number too large for 64 bits reads as the largest one,
// so that it stays out of range instead of wrapping into it.
long long leadingNumber(std::string_view answer)
{
    return std::strtoll(std::string(answer).c_str(), nullptr, 10);
}

} // namespace

std::optional<std::int32_t> timeBaseFromAnswer(std::string_view torAnswer, TimeBaseFactor factor)
{
    const long long number = leadingNumber(torAnswer);
    if (number < kLowestTimeNumber || number > kHighestTimeNumber)
        return std::nullopt;
    return static_cast<std::int32_t>(number) * static_cast<std::int32_t>(factor);
}

} // namespace teb
