// "Config": the parameter set editor, and the pages as the set it returns shows them.
#include "windows/main/cqv58_dlg_parts.h"

namespace teb {

void CQV58DlgParts::runConfig()
{
    takeFromControls();
    const std::optional<bool> asciiFormat = job.runConfig(pages.state().asciiFormat);
    if (!asciiFormat)
        return;
    pages.setAsciiFormat(*asciiFormat);

    pages.showFormatSwitches();
    pages.selectCarrierIdPages();
    pages.showSet();

    pages.setAutomaticMode(true);
    pages.showModeSwitches();
    showInControls();
    mode.refresh();
    view.setTextColour(Control::SetNameLabel, colour::White);
    view.setBackground(Control::SetNameLabel, colour::Black);
    pages.requestFocusOnFirstEditablePage();
}

} // namespace teb
