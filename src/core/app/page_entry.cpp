// Enter in a page box: the typed text is normalised, checked and coloured.
#include "app/cqv58_dlg.h"

#include "common/decimal_text.h"
#include "transponder/page_text.h"

#include <string_view>

namespace teb {
namespace {

std::string pageLengthMessage(int page, bool asciiFormat)
{
    const std::string_view rest = asciiFormat
        ? " to a length of 8 characters with spaces in between; 'NUL' is 0x00 in ASCII format"
        : " to a length of 16 printable hexadecimal characters (20,21,22,...,7D,7E) with spaces in between";
    return "change P" + formatDecimal(page) + std::string(rest);
}

} // namespace

void CQV58Dlg::pageEntered(int page)
{
    const Control box = pageBox(page);
    const std::size_t i = pageIndex(page);
    takeFromControls();
    m_view.setBackground(box, colour::White);

    const std::string entry = normalisePageEntry(pageText[i], asciiFormat, currentSet.alignment);
    if (asciiFormat) {
        asciiTextKept[i] = entry;
        hexTextKept[i] = asciiTextToHexText(entry);
    } else {
        hexTextKept[i] = entry;
        asciiTextKept[i] = hexTextToAsciiText(entry);
    }
    pageText[i] = entry;
    showInControls();

    if (checkPageText(pageText[i], asciiFormat) != 0) {
        m_view.setBackground(box, colour::Red);
        showMessage(pageLengthMessage(page, asciiFormat), kWindowTitle, MessageIcon::Warning);
    } else {
        m_view.setBackground(box, colour::Green);
    }
}

} // namespace teb
