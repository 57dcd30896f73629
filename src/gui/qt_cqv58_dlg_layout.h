#pragma once

#include "windows/main/cqv58_dlg_control.h"

#include <QRect>

namespace teb::gui {

// Where each control of the main window sits, in the client area under the
// menu bar: the page grid on the left, the automatic group above the manual
// group in the middle, the terminal group on the right (cut off while the
// window is narrow). Controls without a widget have no place.
QRect placementOf(Control id);

// The client area that holds every control, terminal group included.
inline constexpr QSize kClientAreaSize{1120, 436};

// The class number of an Enter-reporting edit box: the page boxes are
// classes 1..17, the manual group's boxes 18..21, the others plain.
int enterEditClassOf(Control id);

} // namespace teb::gui
