#pragma once

#include "params/parameter_set.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where the SEMI E99 carrier ID lies in transponder memory, as the "Config"
// dialog places and checks it.
namespace teb {

enum class CarrierIdSource { DecimalCounter, CsvFile, CsvFileComplete, FixData };

// The data source a set's flags choose. A set with none of the four flags is
// shown as a decimal counter (it cannot be saved so).
CarrierIdSource carrierIdSourceOf(const ParameterSet &set);
bool hasCarrierIdSource(const ParameterSet &set);
bool isCsvSource(CarrierIdSource source); // simple or complete CSV file

inline constexpr int kMaxCarrierIdLength = 16;

inline constexpr std::string_view kLengthMessage = "Carrier ID Length must be under 16.";
inline constexpr std::string_view kOffsetPlusLengthMessage = "Carrier ID Offset + Carrier ID Length must be under 16.";
inline constexpr std::string_view kPage17Message = "On Page 17 Carrier ID Offset + Carrier ID Length must be under 8.";

// The carrier-ID fields as texts, and what the check makes of them.
struct CarrierIdSetupFields {
    std::string offset;
    std::string length;
    std::string memoryPage;

    bool operator==(const CarrierIdSetupFields &) const = default;
};

struct CarrierIdCheck {
    CarrierIdSetupFields fields;            // corrected texts; untouched ones stay as typed
    std::vector<std::string_view> messages; // in the order they are shown
};

// The carrier-ID check: length at most 16, a decimal counter within pages 1
// and 2, a carrier ID on page 17 within its eight bytes; and a window that is
// negative or leaves the memory is drawn back inside with the length message.
CarrierIdCheck checkCarrierIdFields(CarrierIdSource source, const CarrierIdSetupFields &fields);

// A carrier-ID field's number by its true value: one beyond 32 bits stays
// far outside the memory instead of wrapping into a small one.
int carrierIdFieldValue(std::string_view field);

// The memory page of its field text, limited to 1..17.
int memoryPageOf(std::string_view memoryPage);

// The carrier ID's run of bytes in the 136 bytes of memory: a decimal counter
// counts its offset from byte 0, a CSV file from the start of its memory page.
struct CarrierIdWindow {
    int start = 0;
    int length = 0;
    int pageStart = 0;  // the first byte of the page the offset counts from

    bool contains(int byte) const { return byte >= start && byte < start + length; }
    int end() const { return start + length; }
};

// Nothing for the sources that have no window, and for a window that is
// negative or leaves the memory.
std::optional<CarrierIdWindow> carrierIdWindow(const ParameterSet &set);

// Whether "carrier ID into pages 1-2" clears byte 0..15 of a window: the bytes
// of its own page before it, and those behind it up to the end of the page it
// ends in. So a window that ends in page 1 leaves page 2 as it is, and one that
// lies beyond page 2 clears nothing.
bool isClearedAround(const CarrierIdWindow &window, int byte);

// The decimal carrier ID as placed: "0" in front up to the length, a longer
// text cut to it.
std::string paddedCarrierId(std::string_view carrierId, int length);

} // namespace teb
