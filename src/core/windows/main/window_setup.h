#pragma once

#include "windows/main/cqv58_dlg_view.h"

namespace teb {

// The main window's controls as it is built: fixed texts, the buttons that
// start disabled, and the colours of labels and boxes.
void setUpControls(CQV58DlgView &view);
void colourControls(CQV58DlgView &view);

} // namespace teb
