#pragma once

#include <QPixmap>

namespace teb::gui {

// The two pictures at the right side of the "Config" dialog.
enum class EditorPicture {
    MemoryMap,     // the 17 pages with the carrier ID in pages 1 and 2
    WaferCarrier,  // a wafer carrier with its transponder
};

QPixmap editorPicture(EditorPicture picture);

} // namespace teb::gui
