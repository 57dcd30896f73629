#pragma once

#include "common/page_layout.h"

#include <array>
#include <string>

namespace teb {

// One transponder page of a parameter set.
struct PageSetting {
    std::array<std::string, kBytesPerPage> hex;  // two upper-case hex digits per byte, may be empty
    // Display text per byte as the editors show it; "NUL" for byte 0 and for an empty hex text.
    std::array<std::string, kBytesPerPage> ascii{"NUL", "NUL", "NUL", "NUL", "NUL", "NUL", "NUL", "NUL"};
    std::array<bool, kBytesPerPage> fixed{};     // pages 1 and 2 only
    bool editable = false;
    bool locked = false;

    bool operator==(const PageSetting &) const = default;
};

// One programming job; fields in the order in which its file holds them.
struct ParameterSet {
    std::string name;

    std::string operatorBadgeId;
    std::string partNumber;
    std::string workOrderNumber;
    std::string quantity;

    bool useDecimalCounter = false;
    bool useCsvFile = false;
    bool csvFileComplete = false;
    std::string csvFileName;
    bool useFixData = false;

    std::string carrierIdOffset;
    std::string carrierIdLength;
    std::string carrierId;
    bool lockCarrierId = false;
    std::string memoryPage;

    bool transponderTi = false;
    bool transponderOrvex = false;

    std::array<PageSetting, kPageCount> pages;  // pages[0] is "Page 1"

    bool writePages3To17 = false;
    std::string counterPage;
    std::string alignment;
    std::string counterValue;

    bool logEnabled = false;
    std::string recordFileName;

    bool operator==(const ParameterSet &) const = default;
};

} // namespace teb
