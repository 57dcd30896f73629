#include "controls/image_switch.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace teb::gui {

ImageSwitch::ImageSwitch(QPixmap onImage, QPixmap offImage, QWidget *parent)
    : QAbstractButton(parent), m_onImage(std::move(onImage)), m_offImage(std::move(offImage))
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void ImageSwitch::setImageOn(bool on)
{
    if (m_imageOn == on)
        return;
    m_imageOn = on;
    update();
}

void ImageSwitch::setFlat(bool flat)
{
    m_flat = flat;
    update();
}

QSize ImageSwitch::sizeHint() const
{
    return m_onImage.deviceIndependentSize().toSize().grownBy(QMargins(3, 3, 3, 3));
}

void ImageSwitch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_flat) {
        QStyleOptionButton face;
        face.initFrom(this);
        if (isDown())
            face.state |= QStyle::State_Sunken;
        style()->drawControl(QStyle::CE_PushButtonBevel, &face, &painter, this);
    }
    const QPixmap &image = m_imageOn ? m_onImage : m_offImage;
    const QSize size = image.deviceIndependentSize().toSize().scaled(rect().size() - QSize(4, 4), Qt::KeepAspectRatio);
    QRect target(QPoint(), size);
    target.moveCenter(rect().center());
    if (!isEnabled())
        painter.setOpacity(0.4);
    painter.drawPixmap(target, image);
    if (hasFocus()) {
        painter.setOpacity(1.0);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace teb::gui
