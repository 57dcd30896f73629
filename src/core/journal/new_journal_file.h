#pragma once

#include <filesystem>
#include <functional>

// A new journal file comes into place whole or not at all: a station killed
// while it is being made leaves no half-made journal under the real name
// (which the next start would have to take for a damaged one).
namespace teb {

// Whether the journal file is still to be made: only a missing file starts a
// new journal. A file that cannot even be looked at counts as there, so that
// opening it reports why.
bool journalFileMissing(const std::filesystem::path &file);

// `make` fills a temporary file beside `file` (and closes it); that file is
// synced and renamed into place unless another station put a journal there
// meanwhile, and the folder is synced. Throws std::runtime_error (or what
// `make` throws); the temporary file is removed on every failure.
void placeNewJournalFile(const std::filesystem::path &file,
                         const std::function<void(const std::filesystem::path &temporary)> &make);

} // namespace teb
