#pragma once

#include <string_view>

// Comparisons that ignore the letter case of A..Z only, whatever the locale:
// names in files, COM port names and list entries are plain ASCII, and other
// bytes are compared as they are.
namespace teb {

char foldCase(char c);
bool equalIgnoringCase(std::string_view a, std::string_view b);
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);
bool lessIgnoringCase(std::string_view a, std::string_view b);

} // namespace teb
