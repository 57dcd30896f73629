#pragma once

#include <QDialog>

namespace teb::gui {

inline constexpr char kAboutBoxTitle[] = "Tag Encoder Bench  V1.65  29.09.2026";

// The about box: its whole client area is one picture. Enter (its hidden
// "OK" button is the default), Escape and the close box close it.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace teb::gui
