#pragma once

#include "transponder/page_bytes.h"

#include <array>
#include <span>
#include <string>

// The 17 pages as an operation or a cycle takes them: their bytes, and which
// pages hold nothing to write because their box is empty or shows a text
// that reads as no eight bytes in the current format.
namespace teb {

using PageTextArray = std::array<std::string, kPageCount>; // index n-1 for page n
using PageFlagArray = std::array<bool, kPageCount>;

struct PageImage {
    PageCells cells;
    PageFlagArray blank{};  // the box is empty: the page is not written
    PageFlagArray faulty{}; // its text reads as no eight bytes: refused at the write
    PageFlagArray placed{}; // bytes were placed into it: its box and the set follow them

    // Neither blank nor faulty.
    bool holdsBytes(int page) const;
    // The bytes from cell `offset` on; every page they reach holds bytes and
    // counts as placed. False, and nothing changed, outside the cells.
    bool place(long long offset, std::span<const std::uint8_t> bytes);

    bool operator==(const PageImage &) const = default;
};

// The pages as their boxes show them: a text that reads as eight bytes in
// the format gives its page; any other page takes its bytes from `fallback`.
PageImage pageImageOf(const PageTextArray &texts, bool asciiFormat, const PageCells &fallback = {});

} // namespace teb
