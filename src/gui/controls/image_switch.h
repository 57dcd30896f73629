#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace teb::gui {

// A button that shows only an "on" or an "off" image. Which image shows is
// set from outside (setImageOn); a checkable switch flips its check state on
// a click before clicked() is emitted, as any toggle button does. A flat
// switch draws no button face.
class ImageSwitch : public QAbstractButton {
    Q_OBJECT
public:
    ImageSwitch(QPixmap onImage, QPixmap offImage, QWidget *parent = nullptr);

    void setImageOn(bool on);
    bool imageOn() const { return m_imageOn; }
    void setFlat(bool flat);
    // A check box that carries an image: the image shows what it was last
    // set to, the check mark drawn over it shows the check state.
    void setDrawsCheckMark(bool draws);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawCheckMark(QPainter &painter, const QRect &box) const;

private:
    QPixmap m_onImage;
    QPixmap m_offImage;
    bool m_imageOn = false;
    bool m_flat = false;
    bool m_drawsCheckMark = false;
};

} // namespace teb::gui
