#pragma once

#include "automatic/page_placement.h"
#include "params/parameter_set.h"

#include <cstdint>
#include <optional>
#include <string_view>

// The set's counter texts and the carrier ID's place as numbers, read once as
// a cycle starts: the cycle decides on numbers alone.
namespace teb {

struct CycleNumbers {
    std::optional<std::uint64_t> next;   // "next" as the decimal counter counts it; empty when it is no number
    std::uint64_t bound = 0;             // the largest value the counter may write
    bool emptyWorkOrder = false;         // a quantity of 0: the counter writes nothing
    std::uint64_t quantity = 0;          // fixed data: the transponders of one job
    std::optional<CellRun> carrierIdRun; // the carrier ID's cells
    std::optional<int> counterPage;      // 3 .. 17; empty for "None"
};

CycleNumbers cycleNumbersOf(const ParameterSet &set, std::string_view carrierIdMax);

} // namespace teb
