#include "memory_map_widget.h"

#include <QPainter>
#include <QPainterPath>

namespace teb::gui {
namespace {

constexpr QSize kPictureSize(230, 246);
constexpr qreal kFirstCellX = 46.5;
constexpr qreal kFirstRowY = 30.5;
constexpr qreal kCellPitchX = 20;
constexpr qreal kRowPitch = 11;
constexpr QSizeF kCellSize(18.5, 9.5);
constexpr qreal kLockX = 209;
constexpr qreal kLegendY = 221;

const QColor background(0x1c, 0x21, 0x26);
const QColor frame(0x5d, 0x66, 0x6f);
const QColor cellLine(0x39, 0x42, 0x4a);
const QColor title(Qt::white);
const QColor caption(0xd5, 0xdb, 0xe0);
const QColor numbers(0x9a, 0xa4, 0xad);
const QColor lockColour(0xff, 0xd0, 0x4a);

QColor colourOf(MemoryCell cell)
{
    switch (cell) {
    case MemoryCell::FixedData: return QColor(Qt::white);
    case MemoryCell::CarrierId: return QColor(0x00, 0xff, 0x99);
    case MemoryCell::Counter: return QColor(0xff, 0xa8, 0x3c);
    case MemoryCell::Clash: return QColor(0xff, 0x3b, 0x3b);
    case MemoryCell::Data: return QColor(0xc9, 0xd0, 0xd6);
    case MemoryCell::NotWritten: return QColor(0x3a, 0x42, 0x49);
    }
    return {};
}

// A small padlock whose body stands at `topLeft`.
void drawLock(QPainter &painter, QPointF topLeft)
{
    painter.setPen(QPen(lockColour, 1.1));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(topLeft + QPointF(1.2, -3.5), QSizeF(4.6, 6)), 0, 180 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(lockColour);
    painter.drawRect(QRectF(topLeft, QSizeF(7, 5)));
}

void drawLegendEntry(QPainter &painter, qreal x, const QColor &colour, const QString &text)
{
    painter.setPen(QPen(cellLine, 0.6));
    painter.setBrush(colour);
    painter.drawRect(QRectF(x, kLegendY, 8, 7));
    painter.setPen(caption);
    painter.drawText(QPointF(x + 11, kLegendY + 6.5), text);
}

} // namespace

MemoryMapWidget::MemoryMapWidget(QWidget *parent) : QWidget(parent) { setFixedSize(kPictureSize); }

QSize MemoryMapWidget::sizeHint() const { return kPictureSize; }

void MemoryMapWidget::setMap(const MemoryMap &map)
{
    if (map == m_map)
        return;
    m_map = map;
    update();
}

QRectF MemoryMapWidget::cellRect(int byte) const
{
    const int row = byte / kBytesPerPage;
    const int column = byte % kBytesPerPage;
    return QRectF(QPointF(kFirstCellX + kCellPitchX * column, kFirstRowY + kRowPitch * row), kCellSize);
}

void MemoryMapWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(frame);
    painter.setBrush(background);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(title);
    painter.drawText(QRectF(0, 6, width(), 14), Qt::AlignHCenter, QStringLiteral("Transponder memory, 136 bytes"));

    font.setBold(false);
    font.setPixelSize(7);
    painter.setFont(font);
    painter.setPen(numbers);
    for (int column = 0; column < kBytesPerPage; ++column)
        painter.drawText(QRectF(cellRect(column).left(), 20, kCellSize.width(), 8), Qt::AlignHCenter,
                         QString::number(column));
    for (int page = 0; page < kPageCount; ++page) {
        const QRectF first = cellRect(page * kBytesPerPage);
        painter.setPen(caption);
        painter.drawText(QRectF(4, first.top(), 37, first.height()), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("P%1").arg(page + 1));
        if (m_map.locked[static_cast<std::size_t>(page)])
            drawLock(painter, QPointF(kLockX, first.top() + 4));
    }
    painter.setPen(QPen(cellLine, 0.6));
    for (int byte = 0; byte < kPageCount * kBytesPerPage; ++byte) {
        painter.setBrush(colourOf(m_map.cell(byte)));
        painter.drawRect(cellRect(byte));
    }

    drawLegendEntry(painter, 10, colourOf(MemoryCell::CarrierId), QStringLiteral("carrier ID"));
    drawLegendEntry(painter, 68, colourOf(MemoryCell::Counter), QStringLiteral("counter"));
    drawLegendEntry(painter, 116, colourOf(MemoryCell::Clash), QStringLiteral("overlap"));
    drawLock(painter, QPointF(166, kLegendY + 2));
    painter.setPen(caption);
    painter.drawText(QPointF(177, kLegendY + 6.5), QStringLiteral("locked"));
}

} // namespace teb::gui
