#pragma once

#include "params/parameter_set.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// One byte of the editors' byte grids: its two texts, the HEX cell's and the
// ASCII cell's ("NUL" for 0x00).
namespace teb {

struct ByteTexts {
    std::string hex;
    std::string ascii;

    bool operator==(const ByteTexts &) const = default;
};

// The texts of byte 0 .. 135 of a set's pages, and storing them there.
ByteTexts byteTextsAt(const std::array<PageSetting, kPageCount> &pages, int byte);
void setByteTextsAt(std::array<PageSetting, kPageCount> &pages, int byte, const ByteTexts &texts);

// What the pages 3-17 editor accepts when a cell is confirmed: 0x00 or a
// printable 0x20..0x7E, the same bytes on both sides. HEX: exactly two
// hexadecimal digits (either case); the result holds them in upper case.
// ASCII: "NUL" or exactly one such character.
std::optional<ByteTexts> readCheckedCell(std::string_view cell, bool asciiFormat);

// What a cell of pages 1 and 2 gives: any text is taken (the other cell is
// converted from it), but only a byte that stands for exactly one byte is
// usable; an empty cell means 00.
ByteTexts readFreeHexCell(std::string_view cell);
ByteTexts readFreeAsciiCell(std::string_view cell);

// True when a byte's HEX text stands for exactly one byte: empty (00), or one
// or two hexadecimal digits.
bool isSingleByte(std::string_view hex);

} // namespace teb
