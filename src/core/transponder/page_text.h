#pragma once

#include <string>
#include <string_view>

#include "transponder/byte_text.h"
#include "transponder/page_entry.h"

// Page texts: a transponder page (8 bytes) held as text, either HEX (eight
// two-digit groups) or ASCII (eight tokens, "NUL" for 0x00). All texts are
// 8-bit, one byte per character. A text that passes the check stands for the
// eight bytes that pageBytes (page_bytes.h) reads from it, and the conversions
// render exactly those bytes.
namespace teb {

// A complete HEX text gives the ASCII text of its eight bytes; an incomplete
// one is converted token by token (a token counts by its last two digits).
std::string hexTextToAsciiText(std::string_view hexText);
// Like hexTextToAsciiText, but a zero last byte is followed by a blank.
std::string hexTextToAsciiTextPadded(std::string_view hexText);
std::string asciiTextToHexText(std::string_view asciiText);

// Number of faults of a page text in the given format; 0 exactly when the
// text reads as eight bytes.
int checkPageText(std::string_view pageText, bool asciiFormat);

} // namespace teb
