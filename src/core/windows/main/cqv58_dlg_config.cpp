// "Config": the parameter set editor, and the pages as the set it returns shows them.
#include "windows/main/cqv58_dlg.h"

namespace teb {

void CQV58Dlg::runConfig()
{
    takeFromControls();
    const std::optional<bool> asciiFormat = m_job.runConfig(m_pages.asciiFormat);
    if (!asciiFormat)
        return;
    m_pages.asciiFormat = *asciiFormat;

    showFormatSwitches();
    m_pages.pageSelected[0] = m_pages.pageSelected[1] = true;
    for (std::size_t i = 2; i < m_pages.pageSelected.size(); ++i)
        m_pages.pageSelected[i] = m_job.state().currentSet.writePages3To17;
    m_pages.selectAll = m_job.state().currentSet.writePages3To17;
    rebuildPageTextsFromSet();

    m_pages.automaticMode = true;
    showModeSwitches();
    showInControls();
    refreshModeView();
    m_view.setTextColour(Control::SetNameLabel, colour::White);
    m_view.setBackground(Control::SetNameLabel, colour::Black);
    requestFocusOnFirstEditablePage();
}

void CQV58Dlg::requestFocusOnFirstEditablePage()
{
    for (std::size_t i = 0; i < m_job.state().currentSet.pages.size(); ++i) {
        if (m_job.state().currentSet.pages[i].editable) {
            m_pages.pageFocusRequest[i] = true;
            return;
        }
    }
}

} // namespace teb
