#include "controls/image_switch.h"

#include <QPainter>
#include <QPainterPath>
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

void ImageSwitch::setDrawsCheckMark(bool draws)
{
    m_drawsCheckMark = draws;
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
    if (m_drawsCheckMark && isChecked())
        drawCheckMark(painter, target);
    if (hasFocus()) {
        painter.setOpacity(1.0);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ImageSwitch::drawCheckMark(QPainter &painter, const QRect &box) const
{
    const QRectF r = box;
    QPainterPath mark;
    mark.moveTo(r.left() + r.width() * 0.22, r.top() + r.height() * 0.51);
    mark.lineTo(r.left() + r.width() * 0.42, r.top() + r.height() * 0.70);
    mark.lineTo(r.left() + r.width() * 0.78, r.top() + r.height() * 0.30);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal width = r.width() * 0.13;
    painter.setPen(QPen(QColor(0x0f, 0x50, 0x20), width + 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(mark);
    painter.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(mark);
}

} // namespace teb::gui
