#include "common/exclusive_lock.h"

#include <cerrno>
#include <thread>

#include <sys/file.h>

namespace teb {

bool lockExclusively(int fd, std::chrono::steady_clock::time_point deadline)
{
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace teb
