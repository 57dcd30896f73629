// Enter in a page box: the typed text is normalised, checked and coloured.
#include "app/cqv58_dlg.h"

#include "transponder/page_text.h"

#include <cstdio>

namespace teb {
namespace {

std::string pageLengthMessage(int page, bool asciiFormat)
{
    const char *format = asciiFormat
        ? "change P%i to a length of 8 characters with spaces in between; 'NUL' is 0x00 in ASCII format"
        : "change P%i to a length of 16 printable hexadecimal characters (20,21,22,...,7D,7E) with spaces "
          "in between";
    char text[160];
    std::snprintf(text, sizeof text, format, page);
    return text;
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
        m_view.showMessage(MessageRequest{pageLengthMessage(page, asciiFormat), std::string(kWindowTitle),
                                          MessageIcon::Warning, MessageButtons::Ok});
    } else {
        m_view.setBackground(box, colour::Green);
    }
}

} // namespace teb
