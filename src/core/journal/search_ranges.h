#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the history window's search text finds, as ranges of indexed columns:
// the values that start with the text lie in [text, prefixEnd(text)). Every
// character counts as itself ("%" and "_" too), and a plain index serves the
// range in SQLite (binary order) and PostgreSQL (the "C" collation).
namespace teb {

struct SearchRange {
    std::string column;              // "carrier_id", "carrier_hex" or "uid"
    std::string low;                 // the text
    std::optional<std::string> high; // the first value past every one that starts with it; none: no end
};

// The carrier ID as shown starts with the text; when the text is HEX digits,
// also the carrier ID's HEX key and the UID in upper case; else the UID as typed.
// Empty text: no range (the whole journal).
std::vector<SearchRange> searchRanges(std::string_view text);

// The smallest text greater than every text that starts with `prefix`, in
// the order of UTF-8 bytes (which is the order of code points): the last
// character raised by one, characters that cannot be raised dropped first.
// None when no character can be raised (no end is needed).
std::optional<std::string> prefixEnd(std::string_view prefix);

} // namespace teb
