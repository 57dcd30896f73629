#pragma once

#include <string_view>

namespace teb {

// Writes every byte to the descriptor, going on after interrupted or partial
// writes. False on a write error (errno tells which; a write that takes
// nothing counts as EIO).
bool writeAll(int fd, std::string_view bytes);

} // namespace teb
