#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace teb::bench {

using Duration = std::chrono::duration<double, std::milli>;

// Median and 99th percentile of a series of timings.
struct Figures {
    Duration median{};
    Duration p99{};
};

Figures figuresOf(std::vector<Duration> samples);
std::string describe(const std::string &label, const Figures &figures);
// The machine's load averages, for reading the figures of a shared machine.
std::string describeLoad();

} // namespace teb::bench
