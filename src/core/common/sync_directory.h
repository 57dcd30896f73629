#pragma once

#include <filesystem>

namespace teb {

// Makes a directory's entries durable: after a file was created in it or
// renamed into it, the entry itself must reach the disk too. Best effort: a
// directory that cannot be opened or synced is left as it is.
void syncDirectory(const std::filesystem::path &directory);

} // namespace teb
