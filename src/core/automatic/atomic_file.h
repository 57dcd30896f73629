#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Whole-file reading and replacing for the files the automatic cycle keeps up
// to date (CSV sources, the progress file). A replacement never leaves a
// half-written file: the new content goes to a temporary file in the same
// folder, is synced, renamed over the old file and the folder is synced. So a
// crash or power loss at any moment leaves either the old or the new file.
namespace teb {

// The file's bytes; empty when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::filesystem::path &file);

enum class ReplaceResult { Replaced, NotWritable, Failed };

// Replaces the file's content, keeping its permissions (and its owner where
// allowed). An existing file that its owner could not open for writing
// (read-only) is left alone: NotWritable. A missing file is created.
ReplaceResult replaceFileAtomically(const std::filesystem::path &file, std::string_view content);

} // namespace teb
