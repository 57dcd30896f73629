#pragma once

#include <QLabel>

namespace teb::gui {

// A label with its own text colour, background colour and weight. Each
// change can repaint the label at once, also while the window's thread is
// busy and the event loop does not run.
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
