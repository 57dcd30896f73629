#include "automatic/file_lock.h"

#include "common/exclusive_lock.h"

#include <chrono>

#include <fcntl.h>
#include <sys/stat.h>

namespace teb {
namespace {

constexpr auto kWait = std::chrono::seconds(3);

bool sameFile(int fd, const std::filesystem::path &file)
{
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::stat(file.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
           held.st_dev == named.st_dev;
}

} // namespace

FileLock::FileLock(const std::filesystem::path &file)
{
    const auto deadline = std::chrono::steady_clock::now() + kWait;
    while (std::chrono::steady_clock::now() < deadline) {
        m_fd.emplace(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
        if (!m_fd->valid())
            return;
        if (!lockExclusively(m_fd->get(), deadline))
            return;
        if (sameFile(m_fd->get(), file)) {
            m_locked = true;
            return;
        }
        // Replaced while we waited: the lock is on the old file.
    }
}

} // namespace teb
