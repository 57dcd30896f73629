#pragma once

#include "params/counter_page.h"
#include "params/parameter_set.h"
#include "transponder/page_image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Placing values into the pages as bytes. The window reads its page boxes
// into a PageImage (a page whose box holds no eight bytes takes the set's
// bytes) and takes the placed pages back into its boxes and the set.
namespace teb {

// A run of byte cells: the first cell (page p byte b is cell 8(p-1)+b) and its length.
struct CellRun {
    long long offset = 0;
    long long length = 0;
};

// Where the set's carrier ID lies: Memory Page clamped to 1 .. 17, Carrier ID
// Offset within it, Carrier ID Length cells. Empty when the offset is negative
// or the run leaves the 136 cells.
std::optional<CellRun> carrierIdRun(const ParameterSet &set);

// The set's bytes: its HEX byte texts, an empty one as 00.
PageCells setPageCells(const ParameterSet &set);
// The placed pages' bytes into the set's two forms of every byte cell.
void storePlacedPages(ParameterSet &set, const PageImage &image);

// Puts bytes into the run's cells; false, and nothing changed, when the run
// leaves the cells or the bytes do not match its length.
bool placeRun(PageImage &image, CellRun run, std::span<const std::uint8_t> bytes);

// The carrier ID text, zero-padded on the left to the set's length, into its
// cells. False, and nothing changed, when the run is outside the cells or the
// text is longer than the length.
bool placeCarrierId(PageImage &image, const ParameterSet &set, std::string_view carrierId);
bool placeCarrierId(PageImage &image, std::optional<CellRun> run, std::string_view carrierId);

enum class CounterPlacement { NotEnabled, Placed, Refused };

// The counter value as eight ASCII digits into bytes 0..7 of the counter page
// (none: "None"). Refused, and nothing changed, unless the value is all digits
// and at most 99999999.
CounterPlacement placeCounterValue(PageImage &image, std::optional<int> counterPage, std::string_view value);

// The page (1 .. 17) that holds a cell.
int pageOfCell(long long cell);

std::vector<std::uint8_t> bytesOf(std::string_view text);

} // namespace teb
