#include "reader/date_time_stamp.h"

#include <cstdio>

namespace teb {
namespace {

constexpr std::size_t kStampLength = 17;

} // namespace

WallClock systemWallClock()
{
    return [] { return std::chrono::system_clock::now(); };
}

std::string formatDateTimeStamp(const std::tm &localTime)
{
    // Each field is reduced to its two printed digits so the stamp keeps its length.
    const auto twoDigits = [](int value) { return ((value % 100) + 100) % 100; };
    char buffer[kStampLength + 1];
    std::snprintf(buffer, sizeof buffer, "%2d/%02d/%02d;%02d:%02d:%02d", twoDigits(localTime.tm_mday),
                  twoDigits(localTime.tm_mon + 1), twoDigits(localTime.tm_year + 1900), twoDigits(localTime.tm_hour),
                  twoDigits(localTime.tm_min), twoDigits(localTime.tm_sec));
    return std::string(buffer, kStampLength);
}

std::string dateTimeStamp(const WallClock &clock)
{
    const std::time_t now = std::chrono::system_clock::to_time_t(clock());
    std::tm localTime{};
    localtime_r(&now, &localTime);
    return formatDateTimeStamp(localTime);
}

} // namespace teb
