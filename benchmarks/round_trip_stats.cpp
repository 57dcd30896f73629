#include "round_trip_stats.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace teb::bench {
namespace {

Duration percentile(const std::vector<Duration> &sorted, double fraction)
{
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[index];
}

} // namespace

Figures figuresOf(std::vector<Duration> samples)
{
    if (samples.empty())
        return {};
    std::sort(samples.begin(), samples.end());
    return {percentile(samples, 0.5), percentile(samples, 0.99)};
}

std::string describe(const std::string &label, const Figures &figures)
{
    char line[128];
    std::snprintf(line, sizeof line, "%-28s median %7.3f ms   p99 %7.3f ms", label.c_str(), figures.median.count(),
                  figures.p99.count());
    return line;
}

std::string describeLoad()
{
    double load[3]{};
    if (getloadavg(load, 3) != 3)
        return "load average unknown";
    char line[128];
    std::snprintf(line, sizeof line, "load average %.2f %.2f %.2f on %u processors", load[0], load[1], load[2],
                  std::thread::hardware_concurrency());
    return line;
}

} // namespace teb::bench
