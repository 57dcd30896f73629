#pragma once

#include <QLabel>

namespace teb::gui {

// A label with its own text colour, background colour and weight; each
// change can ask for the label to be redrawn.
class CXColorStatic : public QLabel {
    Q_OBJECT
public:
    explicit CXColorStatic(QWidget *parent = nullptr);

    void setTextColor(const QColor &colour, bool redraw = true);
    void setBackgroundColor(const QColor &colour, bool redraw = true);
    void setBold(bool bold, bool redraw = true);

    QColor textColor() const;
    QColor backgroundColor() const;
    bool isBold() const { return font().bold(); }

private:
    void redrawIf(bool redraw);
};

} // namespace teb::gui
