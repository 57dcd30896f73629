#include "reader/time_base.h"

#include "common/decimal_text.h"

namespace teb {
namespace {

constexpr std::int32_t kLowestTimeNumber = 1;
constexpr std::int32_t kHighestTimeNumber = 255;

} // namespace

std::optional<std::int32_t> timeBaseFromAnswer(std::string_view torAnswer, TimeBaseFactor factor)
{
    const std::int32_t number = readDecimal(torAnswer);
    if (number < kLowestTimeNumber || number > kHighestTimeNumber)
        return std::nullopt;
    return number * static_cast<std::int32_t>(factor);
}

} // namespace teb
