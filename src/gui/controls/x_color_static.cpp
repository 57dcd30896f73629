#include "controls/x_color_static.h"

namespace teb::gui {

CXColorStatic::CXColorStatic(QWidget *parent) : QLabel(parent)
{
    setAutoFillBackground(true);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void CXColorStatic::setTextColor(const QColor &colour, bool redraw)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
    redrawIf(redraw);
}

void CXColorStatic::setBackgroundColor(const QColor &colour, bool redraw)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colour);
    setPalette(colours);
    redrawIf(redraw);
}

void CXColorStatic::setBold(bool bold, bool redraw)
{
    QFont weighted = font();
    weighted.setBold(bold);
    setFont(weighted);
    redrawIf(redraw);
}

QColor CXColorStatic::textColor() const { return palette().color(QPalette::WindowText); }
QColor CXColorStatic::backgroundColor() const { return palette().color(QPalette::Window); }

void CXColorStatic::redrawIf(bool redraw)
{
    if (redraw && isVisible())
        update();
}

} // namespace teb::gui
