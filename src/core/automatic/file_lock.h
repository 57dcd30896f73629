#pragma once

#include "common/file_descriptor.h"

#include <filesystem>
#include <optional>

// A file held by one process at a time for a read-change-replace (a CSV row
// marked by two stations that share the file). The lock belongs to the
// file's inode; a replacement renames a new inode over the path, so the lock
// is only had once the path still leads to the locked inode.
namespace teb {

class FileLock {
public:
    // Waits at most a few seconds; locked() tells whether the lock was had.
    explicit FileLock(const std::filesystem::path &file);
    bool locked() const { return m_locked; }

private:
    std::optional<FileDescriptor> m_fd;
    bool m_locked = false;
};

} // namespace teb
