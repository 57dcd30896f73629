#include "windows/main/terminal_text.h"

#include <string_view>

namespace teb {

void keepNewestLines(std::string &text, std::size_t limit)
{
    constexpr std::string_view kLineEnd = "\r\n";
    std::size_t end = 0;
    for (std::size_t line = 0; line < limit; ++line) {
        end = text.find(kLineEnd, end);
        if (end == std::string::npos)
            return;
        end += kLineEnd.size();
    }
    text.resize(end);
}

} // namespace teb
