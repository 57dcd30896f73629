#include "windows/main/time_of_day.h"

#include <cstdio>
#include <ctime>

namespace teb {

std::string timeOfDay(std::chrono::system_clock::time_point time, bool milliseconds)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[16];
    if (milliseconds) {
        const auto sinceEpoch = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch());
        const auto millis = static_cast<int>(((sinceEpoch.count() % 1000) + 1000) % 1000);
        std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec, millis);
    } else {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    }
    return text;
}

} // namespace teb
