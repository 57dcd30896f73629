#include "params/counter_page.h"

#include "common/decimal_text.h"
#include "common/page_layout.h"

namespace teb {

std::optional<int> counterPageNumber(std::string_view counterPage)
{
    for (int page = firstCounterPage; page <= kPageCount; ++page) {
        if (counterPage == formatDecimal(page))
            return page;
    }
    return std::nullopt;
}

std::optional<std::string> counterValueOnPage(std::string_view counterValue)
{
    constexpr auto width = static_cast<std::size_t>(counterValueDigits);
    std::string digits = formatUnsigned64(readUnsigned64(counterValue));
    if (digits.size() > width)
        return std::nullopt;
    digits.insert(0, width - digits.size(), '0');
    return digits;
}

} // namespace teb
