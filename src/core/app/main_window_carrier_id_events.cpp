// Leaving the manual group's "Carrier ID" box: its length is checked.
#include "app/cqv58_dlg.h"

namespace teb {

void CQV58Dlg::manualCarrierIdLeft() { checkCarrierIdLength(); }

} // namespace teb
