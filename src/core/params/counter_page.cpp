#include "params/counter_page.h"

#include "common/decimal_text.h"
#include "common/page_layout.h"

namespace teb {

std::optional<int> counterPageNumber(std::string_view counterPage)
{
    for (int page = kFirstCounterPage; page <= kPageCount; ++page) {
        if (counterPage == formatDecimal(page))
            return page;
    }
    return std::nullopt;
}

std::optional<std::string> counterValueOnPage(std::string_view counterValue)
{
    constexpr auto kWidth = static_cast<std::size_t>(kCounterValueDigits);
    std::string digits = formatUnsigned64(readUnsigned64(counterValue));
    if (digits.size() > kWidth)
        return std::nullopt;
    digits.insert(0, kWidth - digits.size(), '0');
    return digits;
}

} // namespace teb
