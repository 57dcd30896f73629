#pragma once

#include "windows/main/cqv58_dlg_view.h"

namespace teb {

// After a record file or manual log failed: the controls an operator needs stay usable.
void enableAfterRecordFailure(CQV58DlgView &view);

} // namespace teb
