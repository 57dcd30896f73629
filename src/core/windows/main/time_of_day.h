#pragma once

#include <chrono>
#include <string>

namespace teb {

// The local time of day "hh:mm:ss", or "hh:mm:ss.mmm" with milliseconds.
std::string timeOfDay(std::chrono::system_clock::time_point time, bool milliseconds = false);

} // namespace teb
