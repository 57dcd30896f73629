#pragma once

class QApplication;

namespace teb::gui {

// The station's look: Fusion in dark steel, so that the white-on-black
// labels and the white page boxes stand out as on a panel.
void applyStationStyle(QApplication &application);

} // namespace teb::gui
