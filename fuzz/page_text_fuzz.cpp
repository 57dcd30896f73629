// Page texts as an operator types them: any text is checked and converted
// without fault, and a text that passes the check converts to the other
// format and back to the same bytes.
#include "fuzz_check.h"
#include "transponder/page_entry.h"
#include "transponder/page_text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool ascii = (data[0] & 1) != 0;
    const std::string_view alignment = (data[0] & 2) != 0 ? "right" : "left";
    const std::string_view text(reinterpret_cast<const char *>(data) + 1, size - 1);

    const std::string entered = teb::normalisePageEntry(text, ascii, alignment);
    (void)teb::checkPageText(text, ascii);
    (void)teb::hexTextToAsciiTextPadded(text);
    if (teb::checkPageText(entered, ascii) != 0)
        return 0;
    if (ascii) {
        const std::string hex = teb::asciiTextToHexText(entered);
        FUZZ_CHECK(teb::checkPageText(hex, false) == 0);
        FUZZ_CHECK(teb::asciiTextToHexText(teb::hexTextToAsciiText(hex)) == hex);
    } else {
        const std::string asciiText = teb::hexTextToAsciiText(entered);
        FUZZ_CHECK(teb::asciiTextToHexText(asciiText) == teb::asciiTextToHexText(teb::hexTextToAsciiText(
                                                             teb::asciiTextToHexText(asciiText))));
    }
    return 0;
}
