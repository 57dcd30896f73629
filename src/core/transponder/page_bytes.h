#pragma once

#include "common/page_layout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Pages as bytes. A page text is only ever a view of eight bytes: these are the
// conversions between the two and the one run of 136 byte cells that the 17
// pages form (byte 8 of page p is byte 0 of page p + 1).
namespace teb {

inline constexpr int kCellCount = kPageCount * kBytesPerPage;

using PageBytes = std::array<std::uint8_t, kBytesPerPage>;

// The eight bytes a HEX page text stands for: its digits with the blanks
// removed, read in pairs. Empty unless exactly 16 hexadecimal digits remain.
std::optional<PageBytes> hexPageBytes(std::string_view hexText);

// The eight bytes an ASCII page text stands for; empty unless it reads as
// exactly eight one-byte tokens.
std::optional<PageBytes> asciiPageBytes(std::string_view asciiText);

// The bytes a page text in the given format stands for; what a page write sends.
std::optional<PageBytes> pageBytes(std::string_view pageText, bool asciiFormat);

std::string hexPageText(const PageBytes &bytes);   // "30 31 32 33 34 35 36 37"
std::string asciiPageText(const PageBytes &bytes); // "0 1 2 3 4 5 6 7", "NUL" for 0x00
std::string pageText(const PageBytes &bytes, bool asciiFormat);

// True when the run [offset, offset + length) lies inside the 136 cells.
bool runFitsCells(long long offset, long long length);

// The 17 pages as one run of 136 byte cells.
class PageCells {
public:
    PageBytes page(int pageNumber) const; // 1 .. 17
    void setPage(int pageNumber, const PageBytes &bytes);

    // Writes the bytes from cell `offset` on; false, and nothing changed, when
    // the run would leave the cells.
    bool place(long long offset, std::span<const std::uint8_t> bytes);
    // Sets `length` cells from `offset` on to `value`; false when outside.
    bool fill(long long offset, long long length, std::uint8_t value);
    // The bytes of a run; empty when the run leaves the cells.
    std::optional<std::vector<std::uint8_t>> take(long long offset, long long length) const;

    std::uint8_t cell(int index) const { return cells_.at(static_cast<std::size_t>(index)); }
    const std::array<std::uint8_t, kCellCount> &cells() const { return cells_; }

    bool operator==(const PageCells &) const = default;

private:
    std::array<std::uint8_t, kCellCount> cells_{};
};

} // namespace teb
