#pragma once

#include <algorithm>
#include <string_view>
#include <vector>

namespace teb {

// The runs of non-blank characters of a text; any number of blanks separates.
template <typename Char>
std::vector<std::basic_string_view<Char>> splitAtBlanks(std::basic_string_view<Char> text)
{
    constexpr Char kBlank = ' ';
    std::vector<std::basic_string_view<Char>> tokens;
    auto start = text.find_first_not_of(kBlank);
    while (start != text.npos) {
        const auto end = std::min(text.find(kBlank, start), text.size());
        tokens.push_back(text.substr(start, end - start));
        start = text.find_first_not_of(kBlank, end);
    }
    return tokens;
}

} // namespace teb
