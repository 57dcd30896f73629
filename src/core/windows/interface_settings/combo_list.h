#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace teb {

// Puts list entries in the order of a sorted list box: plain text order with
// letter case ignored, so "COM10" stands between "COM1" and "COM2".
void sortLikeListBox(std::vector<std::string> &entries);

// The first entry that begins with `text`, letter case ignored; none when no
// entry does (the combo box then shows the text as typed).
std::optional<std::size_t> firstEntryBeginningWith(const std::vector<std::string> &entries,
                                                   std::string_view text);

} // namespace teb
