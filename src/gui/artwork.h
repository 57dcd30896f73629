#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace teb::gui {

// The station's drawings, kept as SVG in the program's resources.
enum class Artwork {
    SwitchOn,   // HEX/ASCII and mode switches
    SwitchOff,
    SelectOn,   // selection switches of the editors
    SelectOff,
    PageSelectOn, // page grid selection boxes: the check mark is drawn over them
    PageSelectOff,
    LedOn,      // flat switches of the manual group
    LedOff,
    ProgramIcon,
    SmallImage,
    AboutPicture,
    WaferCarrier, // "Config": a wafer carrier with its transponder
};

// The drawing at `size` (logical pixels), sharp on the screen's pixel ratio;
// an empty size takes the drawing's own.
QPixmap artworkPixmap(Artwork artwork, QSize size = {});
QSize artworkSize(Artwork artwork);
QIcon programIcon();

} // namespace teb::gui
