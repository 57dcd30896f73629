#pragma once

#include <array>
#include <string>

namespace teb {

// The manual group: the carrier ID's offset, length and text, the
// transponder family, the manual log's switch and file.
struct ManualGroup {
    std::string manualCarrierIdOffset;
    std::string manualCarrierIdLength;
    std::string manualCarrierId;
    bool manualLog = false;
    bool manualTypeTi = true;
    bool manualTypeOrvex = false;
    std::string manualLogFileName;
    std::string manualLogFileShown;
    // Offset, length and carrier ID as the last carrier ID read or write left
    // them: what the carrier-ID box's colour reports on.
    std::array<std::string, 3> carrierIdResultOf;
};

} // namespace teb
