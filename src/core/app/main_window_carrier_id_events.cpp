// Leaving the manual group's "Carrier ID" box: the carrier ID operations
// take it over.
#include "app/cqv58_dlg.h"

namespace teb {

void CQV58Dlg::manualCarrierIdLeft() {}

} // namespace teb
