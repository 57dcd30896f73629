#pragma once

#include "transponder/page_operation_context.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Reading and writing the carrier ID: a run of bytes at an offset within the
// 16 bytes of pages 1 and 2, shown as characters (ASCII format) or two
// hexadecimal digits per byte (HEX format). Neither operation changes
// errorCount.
namespace teb {

// The manual group's carrier ID boxes and the format they are shown in.
struct CarrierIdEntry {
    std::string offsetText; // "  Carrier ID Offset"
    std::string lengthText; // "  Carrier ID Length"
    std::string carrierId;  // "  Carrier ID"
    bool asciiFormat = false;
};

// Where the carrier ID lies: offset O and length Lc (1 .. 16).
struct CarrierIdRange {
    long long offset = 0;
    int length = 1;
};


// O is the leading decimal number of the offset text; Lc that of the length
// text, limited to 1 .. 16. Numbers too large for any page count as too
// large, never wrap.
CarrierIdRange carrierIdRange(const std::string &offsetText, const std::string &lengthText);
// Lc alone, as the length check and the write both take it.
int carrierIdLength(const std::string &lengthText);
bool fitsPagesOneAndTwo(const CarrierIdRange &range);

// Reads the pages the carrier ID lies in and gives it; the box green when
// every page read succeeded, red otherwise (its text then stays).
PageOutcome readCarrierId(PageOperationContext &context, const CarrierIdEntry &entry);

// What a carrier-ID write asks before its first page goes out: the pages as
// they are about to be written (`pages` says which of 1 and 2). False:
// nothing is written. The journal reserves them here.
using CarrierIdReservation = std::function<bool(const PageCells &cells, const PageFlagArray &pages)>;

// Writes the carrier ID into the pages it lies in, keeping their other bytes
// as the transponder holds them, and reads it back. The box ends green only
// when every write was acknowledged and the read-back shows the written
// pages; written then. reachedTag: a write went out and was not refused with
// "NAK" (it may have taken effect).
struct CarrierIdWrite {
    PageOutcome outcome;
    bool written = false;
    bool reserved = false;
    bool reachedTag = false;
};
CarrierIdWrite writeCarrierId(PageOperationContext &context, const CarrierIdEntry &entry,
                              const CarrierIdReservation &reserve = {});

// The carrier ID's bytes: its characters (ASCII format) or its pairs of
// hexadecimal digits; empty unless it has exactly `length` of them.
std::optional<std::vector<std::uint8_t>> carrierIdBytes(const std::string &text, int length, bool asciiFormat);

// The warning for a carrier ID text whose length does not match Lc (the
// length box limited to 1 .. 16, as the write takes it); none when it matches.
std::optional<std::string> carrierIdLengthWarning(const std::string &carrierId, const std::string &lengthText,
                                                  bool asciiFormat);

// The message for an offset and length that leave pages 1 and 2.
std::string carrierIdRangeMessage();

} // namespace teb
