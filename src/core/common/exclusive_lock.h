#pragma once

#include <chrono>

// An exclusive lock on an open file (flock), waited for until a deadline:
// two station processes that share a file take turns at it.
namespace teb {

// False when another process still held it at the deadline, or locking failed.
bool lockExclusively(int fd, std::chrono::steady_clock::time_point deadline);

} // namespace teb
