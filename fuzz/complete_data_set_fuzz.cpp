// A row of a complete data set file: read and turned into page bytes
// without fault, whatever its fields hold; only a row of either format with a
// carrier ID gives bytes.
#include "automatic/complete_data_set.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view delimiter = (data[0] & 1) != 0 ? ";" : ",";
    const std::string_view row(reinterpret_cast<const char *>(data) + 1, size - 1);
    if (const auto set = teb::readCompleteDataSet(row, delimiter)) {
        if (const auto bytes = teb::completeSetBytes(*set)) {
            FUZZ_CHECK(set->format == "A" || set->format == "X");
            FUZZ_CHECK(!bytes->carrierId.empty());
        }
    }
    return 0;
}
