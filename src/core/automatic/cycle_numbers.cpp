#include "automatic/cycle_numbers.h"

#include "automatic/counter_arithmetic.h"

#include <algorithm>
#include <limits>

namespace teb {

CycleNumbers cycleNumbersOf(const ParameterSet &set, std::string_view carrierIdMax)
{
    CycleNumbers numbers;
    numbers.next = countedNumber(set.carrierId);
    // "max" and the largest ID of L digits; never the largest 64-bit value,
    // whose successor would wrap to 0.
    numbers.bound = std::min({counterLimit(set.carrierIdLength), readCounter(carrierIdMax),
                              std::numeric_limits<std::uint64_t>::max() - 1u});
    numbers.quantity = readCounter(set.quantity);
    // "max" cannot lie below a "next" of 0, so the quantity says it.
    numbers.emptyWorkOrder = isEmptyWorkOrder(set.quantity);
    numbers.carrierIdRun = carrierIdRun(set);
    numbers.counterPage = counterPageNumber(set.counterPage);
    return numbers;
}

} // namespace teb
