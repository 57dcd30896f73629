#include "reader/time_base.h"

#include "common/decimal_text.h"

namespace teb {
namespace {

constexpr std::uint64_t kLowestTimeNumber = 1;
constexpr std::uint64_t kHighestTimeNumber = 255;

} // namespace

std::optional<std::int32_t> timeBaseFromAnswer(std::string_view torAnswer, TimeBaseFactor factor)
{
    // Read unsigned so that a negative or huge number falls outside the range
    // instead of wrapping into it.
    const std::uint64_t number = readUnsigned64(torAnswer);
    if (number < kLowestTimeNumber || number > kHighestTimeNumber)
        return std::nullopt;
    return static_cast<std::int32_t>(number) * static_cast<std::int32_t>(factor);
}

} // namespace teb
