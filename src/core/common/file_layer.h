#pragma once

#include "common/file_descriptor.h"
#include "common/result.h"

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// The station's checked file operations: every step's result is looked at,
// interrupted calls are repeated, and what must survive a power loss is synced.
// A failure names the step that failed and the reason errno gave, and keeps
// errno in Failure::systemError.
namespace teb {

// The mode a new file is created with, narrowed by the umask.
inline constexpr mode_t kNewFileMode = 0666;

// The most a whole-file read takes in, so that a wrong file cannot use up memory.
inline constexpr std::size_t kWholeFileLimit = std::size_t{256} << 20;

// Writes every byte to the descriptor, going on after interrupted or partial
// writes. A write that takes nothing counts as EIO.
Result<void> writeAll(int fd, std::string_view bytes);
// The same at an offset (pwrite); the file position stays where it was.
Result<void> writeAllAt(int fd, std::string_view bytes, off_t offset);
// Fills `bytes` from the offset on; fails on an error or an end of file before
// it is full (the latter with no systemError).
Result<void> readAllAt(int fd, std::string &bytes, off_t offset);

// Opens a file to append to (O_APPEND): created when missing, never truncated.
Result<FileDescriptor> openForAppend(const std::filesystem::path &file);
enum class Durability { Synced, Unsynced };
// Appends bytes to a file opened for appending that held `sizeBefore` bytes.
// A write that fails part way is cut back, so the file holds whole appends
// only. Synced: the data is on the disk when it returns (fdatasync). The
// failure is the first step's that failed.
Result<void> appendWhole(int fd, std::string_view bytes, off_t sizeBefore, Durability durability);

// Makes a directory's entries durable: after a file was created in it or
// renamed into it, the entry itself must reach the disk too. A folder the
// station may not open, or whose file system cannot sync folders, has
// nothing more to give and counts as synced.
Result<void> syncDirectory(const std::filesystem::path &directory);

// A regular file's bytes; fails when it cannot be opened or read, is no
// regular file or holds more than `limit` bytes.
Result<std::string> readWholeFile(const std::filesystem::path &file, std::size_t limit = kWholeFileLimit);

struct TemporaryFile {
    FileDescriptor fd;
    std::filesystem::path path;
};

// A new file beside `target` under a name no one else uses ("." + its name +
// "." + six random characters); a link is never followed.
Result<TemporaryFile> createTemporaryBeside(const std::filesystem::path &target);

// What a replacement that did not fail did.
enum class ReplaceResult { Replaced, NotWritable };

// Replaces a file's content so that a crash or power loss at any moment
// leaves either the old or the new file, never half of one: the content goes
// to a new temporary file in the same folder, is synced and renamed over the
// file, then the folder is synced. The replaced file's mode and owner (where
// allowed) are kept; a new file gets kNewFileMode narrowed by the umask. A
// link is followed, so it stays a link to the new content. A file that may
// not be written (read-only, also for root) is left alone: NotWritable. Any
// failed step is a failure, with no temporary file left behind; a failed
// folder sync too, though the new content is then in place.
Result<ReplaceResult> replaceFileAtomically(const std::filesystem::path &file, std::string_view content);

} // namespace teb
