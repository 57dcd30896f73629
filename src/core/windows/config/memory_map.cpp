#include "windows/config/memory_map.h"

#include "params/carrier_id_window.h"
#include "windows/pages_editor/auto_2.h"

namespace teb {

MemoryMap memoryMapOf(const ParameterSet &set)
{
    MemoryMap map;
    const bool pages3To17 = set.writePages3To17 || carrierIdSourceOf(set) == CarrierIdSource::CsvFileComplete;
    for (int byte = 0; byte < kPageCount * kBytesPerPage; ++byte) {
        MemoryCell &cell = map.cells[static_cast<std::size_t>(byte)];
        if (byte < kCarrierIdPageBytes)
            cell = MemoryCell::FixedData;
        else
            cell = pages3To17 ? MemoryCell::Data : MemoryCell::NotWritten;
    }
    const std::optional<CarrierIdWindow> window = carrierIdWindow(set);
    if (window) {
        for (int byte = window->start; byte < window->end(); ++byte)
            map.cells[static_cast<std::size_t>(byte)] = MemoryCell::CarrierId;
    }
    if (const std::optional<int> counterPage = counterPageNumber(set.counterPage)) {
        for (int byte = (*counterPage - 1) * kBytesPerPage; byte < *counterPage * kBytesPerPage; ++byte) {
            MemoryCell &cell = map.cells[static_cast<std::size_t>(byte)];
            cell = cell == MemoryCell::CarrierId ? MemoryCell::Clash : MemoryCell::Counter;
        }
    }
    for (int page = 0; page < kPageCount; ++page)
        map.locked[static_cast<std::size_t>(page)] = set.pages[static_cast<std::size_t>(page)].locked;
    return map;
}

} // namespace teb
