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

    const std::string entry = normalisePageEntry(m_pages.pageText[i], m_pages.asciiFormat, m_job.state().currentSet.alignment);
    if (m_pages.asciiFormat) {
        m_pages.asciiTextKept[i] = entry;
        m_pages.hexTextKept[i] = asciiTextToHexText(entry);
    } else {
        m_pages.hexTextKept[i] = entry;
        m_pages.asciiTextKept[i] = hexTextToAsciiText(entry);
    }
    m_pages.pageText[i] = entry;
    showInControls();

    if (checkPageText(m_pages.pageText[i], m_pages.asciiFormat) != 0) {
        m_view.setBackground(box, colour::Red);
        showMessage(pageTextFaultMessage(page, m_pages.asciiFormat), kWindowTitle, MessageIcon::Warning);
    } else {
        m_view.setBackground(box, colour::Green);
    }
}

} // namespace teb
