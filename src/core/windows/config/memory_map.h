#pragma once

#include "params/parameter_set.h"

#include <array>

// The "Transponder memory" picture of the "Config" dialog: what each of the
// 136 bytes holds under a set, and which pages it locks.
namespace teb {

enum class MemoryCell {
    FixedData,  // pages 1 and 2 outside the carrier ID
    CarrierId,
    Counter,    // the page "Decimal counter on Page" writes
    Clash,      // counter page over carrier-ID bytes: the set is refused
    Data,       // pages 3-17, written with "Write Pages 3 - 17"
    NotWritten, // pages 3-17 otherwise
};

struct MemoryMap {
    std::array<MemoryCell, kPageCount * kBytesPerPage> cells{};
    std::array<bool, kPageCount> locked{};

    MemoryCell cell(int byte) const { return cells[static_cast<std::size_t>(byte)]; }
    bool operator==(const MemoryMap &) const = default;
};

MemoryMap memoryMapOf(const ParameterSet &set);

} // namespace teb
