#include "windows/interface_settings/combo_list.h"

#include "common/text_case.h"

#include <algorithm>

namespace teb {

void sortLikeListBox(std::vector<std::string> &entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const std::string &a, const std::string &b) { return lessIgnoringCase(a, b); });
}

std::optional<std::size_t> firstEntryBeginningWith(const std::vector<std::string> &entries,
                                                   std::string_view text)
{
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [text](const std::string &entry) { return startsWithIgnoringCase(entry, text); });
    if (found == entries.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - entries.begin());
}

} // namespace teb
