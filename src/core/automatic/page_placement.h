#pragma once

#include "params/counter_page.h"
#include "params/parameter_set.h"
#include "transponder/page_bytes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Placing values into the pages as the main window holds them: the set's two
// forms of every byte cell and the 17 page texts. A page is read from its text
// when that reads in the current format (so an operator's edit survives), else
// from the set's HEX byte texts; only pages that a placement reaches are
// written back, in both forms and as page text.
namespace teb {

struct PageModel {
    std::array<PageSetting, pageCount> &setPages;
    std::array<std::string, pageCount> &pageText;
    bool asciiFormat = false;
};

// A run of byte cells: the first cell (page p byte b is cell 8(p-1)+b) and its length.
struct CellRun {
    long long offset = 0;
    long long length = 0;
};

// Where the set's carrier ID lies: Memory Page clamped to 1 .. 17, Carrier ID
// Offset within it, Carrier ID Length cells. Empty when the offset is negative
// or the run leaves the 136 cells.
std::optional<CellRun> carrierIdRun(const ParameterSet &set);

PageCells currentCells(const PageModel &model);

// Writes the cells of pages first .. last back into the model.
void storeCells(PageModel &model, const PageCells &cells, int firstPage, int lastPage);

// Puts bytes into the run's cells; false, and nothing changed, when the run
// leaves the cells or the bytes do not match its length.
bool placeRun(PageModel &model, CellRun run, std::span<const std::uint8_t> bytes);

// The carrier ID text, zero-padded on the left to the set's length, into its
// cells. False, and nothing changed, when the run is outside the cells or the
// text is longer than the length.
bool placeCarrierId(PageModel &model, const ParameterSet &set, std::string_view carrierId);

// The carrier ID as the cells now hold it (one character per byte).
std::optional<std::string> carrierIdInCells(const PageModel &model, const ParameterSet &set);

enum class CounterPlacement { NotEnabled, Placed, Refused };

// The counter value as eight ASCII digits into bytes 0..7 of the counter page.
// Refused, and nothing changed, unless the value is all digits and at most
// 99999999.
CounterPlacement placeCounterValue(PageModel &model, const ParameterSet &set);

// The page (1 .. 17) that holds a cell.
int pageOfCell(long long cell);

std::vector<std::uint8_t> bytesOf(std::string_view text);

} // namespace teb
