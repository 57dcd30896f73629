#include "reader/combo_list.h"

#include <algorithm>
#include <cctype>

namespace teb {
namespace {

unsigned char foldCase(char c) { return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c))); }

bool lessIgnoringCase(const std::string &a, const std::string &b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return foldCase(x) < foldCase(y); });
}

bool beginsWithIgnoringCase(std::string_view entry, std::string_view prefix)
{
    return entry.size() >= prefix.size()
           && std::equal(prefix.begin(), prefix.end(), entry.begin(),
                         [](char x, char y) { return foldCase(x) == foldCase(y); });
}

} // namespace

void sortLikeListBox(std::vector<std::string> &entries)
{
    std::stable_sort(entries.begin(), entries.end(), lessIgnoringCase);
}

std::optional<std::size_t> firstEntryBeginningWith(const std::vector<std::string> &entries,
                                                   std::string_view text)
{
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [text](const std::string &entry) { return beginsWithIgnoringCase(entry, text); });
    if (found == entries.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - entries.begin());
}

} // namespace teb
