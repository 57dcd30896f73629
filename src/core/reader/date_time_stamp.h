#pragma once

#include <chrono>
#include <ctime>
#include <functional>
#include <string>

namespace teb {

// Where the station takes "now" from; tests fix it.
using WallClock = std::function<std::chrono::system_clock::time_point()>;
WallClock systemWallClock();

// The 17-character local date-time stamp "dd/mm/yy;hh:mm:ss" of the protocol
// and record files; a day below 10 is padded with a blank (" 5/03/26;07:04:09").
std::string dateTimeStamp(const WallClock &clock = systemWallClock());
std::string formatDateTimeStamp(const std::tm &localTime);

} // namespace teb
