#pragma once

#include "automatic/page_placement.h"
#include "params/parameter_set.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The row buffer of a complete data set and its placing into the pages.
namespace teb {

inline constexpr int kFirstDataPage = 3;
inline constexpr int kDataPageCount = kPageCount - kFirstDataPage + 1; // pages 3 .. 17

struct CompleteDataSet {
    std::string format; // "A" or "X"
    std::string offset;
    std::string length;
    std::string carrierIdAscii; // the slot of the row's format holds the value,
    std::string carrierIdHex;   // the other stays empty
    std::string lockCarrierId;
    std::array<std::string, kDataPageCount> pageAscii;
    std::array<std::string, kDataPageCount> pageHex;
    std::array<std::string, kDataPageCount> lockPage;

    const std::string &carrierId() const { return format == "X" ? carrierIdHex : carrierIdAscii; }
    bool operator==(const CompleteDataSet &) const = default;
};

// The row's 35 fields in column order; empty unless it has exactly 35 fields
// and the done field.
std::optional<CompleteDataSet> readCompleteDataSet(std::string_view row, std::string_view delimiter);

// The bytes the set puts into the pages: checked whole before anything is
// placed. Empty as bad data when the format is neither "A" nor "X", the
// carrier ID is empty, does not match the length field (twice the length in
// hexadecimal digits for "X"), does not fit pages 1 and 2 from its offset, a
// page value is longer than its page, or an "X" value holds other than
// hexadecimal digits (blanks between pairs of a page value are allowed).
struct CompleteSetBytes {
    CellRun carrierIdRun;
    std::vector<std::uint8_t> carrierId;
    std::array<PageBytes, kDataPageCount> pages{};
};
std::optional<CompleteSetBytes> completeSetBytes(const CompleteDataSet &set);

// Pages 1 and 2 cleared and the carrier ID placed at its offset, pages 3 to
// 17 set from byte 0 (the rest 00).
void placeCompleteSet(PageImage &image, const CompleteSetBytes &bytes);

// The lock flags of the row: its carrier ID's for pages 1 and 2, then one per page.
PageFlagArray completeSetLocks(const CompleteDataSet &set);

} // namespace teb
