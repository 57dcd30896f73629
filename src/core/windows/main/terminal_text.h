#pragma once

#include <cstddef>
#include <string>

namespace teb {

// The terminal view keeps this many of the newest lines.
inline constexpr std::size_t kTerminalLineLimit = 5000;

// Cuts a terminal text (lines ended by CR LF, newest first) after its first
// `limit` lines.
void keepNewestLines(std::string &text, std::size_t limit = kTerminalLineLimit);

} // namespace teb
