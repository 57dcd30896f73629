// The "next" and "max" boxes of the automatic group: leaving them and their
// spin buttons. The data sources take them over.
#include "app/cqv58_dlg.h"

namespace teb {

void CQV58Dlg::nextBoxLeft() {}
void CQV58Dlg::maxBoxLeft() {}
void CQV58Dlg::nextSpinStep(SpinDirection) {}
void CQV58Dlg::maxSpinStep(SpinDirection) {}

} // namespace teb
