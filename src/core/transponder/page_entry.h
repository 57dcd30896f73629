#pragma once

#include <string>
#include <string_view>

namespace teb {

// The text that Enter in a page box makes of what the operator typed, for the
// current format and the parameter set's alignment ("Left", "Right", other).
// A complete HEX entry (16 digits in any blank layout) comes back as its
// eight digit pairs, so that the text shows the bytes that are written.
std::string normalisePageEntry(std::string_view typed, bool asciiFormat, std::string_view alignment);

} // namespace teb
