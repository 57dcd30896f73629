// "Config": the parameter set editor, and the pages as the set it returns shows them.
#include "windows/main/cqv58_dlg.h"

namespace teb {

void CQV58Dlg::runConfig()
{
    takeFromControls();
    const std::optional<bool> asciiFormat = m_job.runConfig(m_pages.state().asciiFormat);
    if (!asciiFormat)
        return;
    m_pages.setAsciiFormat(*asciiFormat);

    m_pages.showFormatSwitches();
    m_pages.selectCarrierIdPages();
    m_pages.showSet();

    m_pages.setAutomaticMode(true);
    m_pages.showModeSwitches();
    showInControls();
    m_mode.refresh();
    m_view.setTextColour(Control::SetNameLabel, colour::White);
    m_view.setBackground(Control::SetNameLabel, colour::Black);
    m_pages.requestFocusOnFirstEditablePage();
}

} // namespace teb
