// Enter in a page box: the typed text is normalised, checked and coloured.
#include "windows/main/cqv58_dlg.h"

#include "transponder/page_operations.h"
#include "transponder/page_text.h"

namespace teb {

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
        showMessage(pageTextFaultMessage(page, asciiFormat), kWindowTitle, MessageIcon::Warning);
    } else {
        m_view.setBackground(box, colour::Green);
    }
}

} // namespace teb
