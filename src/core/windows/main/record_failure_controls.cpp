#include "windows/main/record_failure_controls.h"

namespace teb {

void enableAfterRecordFailure(CQV58DlgView &view)
{
    for (const Control control :
         {Control::TerminalInput, Control::SendButton, Control::NextBox, Control::NextSpin, Control::OneButton})
        view.setEnabled(control, true);
    view.setMenuEnabled(MenuItem::FileExit, true);
    view.setMenuEnabled(MenuItem::HelpInfo, true);
}

} // namespace teb
