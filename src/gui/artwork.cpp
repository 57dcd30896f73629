#include "artwork.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

// The resources of a static library are registered by hand, once.
static void registerArtwork()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(artwork);
        return true;
    }();
    (void)registered;
}

namespace teb::gui {
namespace {

QString resourceOf(Artwork artwork)
{
    switch (artwork) {
    case Artwork::SwitchOn: return QStringLiteral(":/artwork/switch_on.svg");
    case Artwork::SwitchOff: return QStringLiteral(":/artwork/switch_off.svg");
    case Artwork::SelectOn: return QStringLiteral(":/artwork/select_on.svg");
    case Artwork::SelectOff: return QStringLiteral(":/artwork/select_off.svg");
    case Artwork::PageSelectOn: return QStringLiteral(":/artwork/page_select_on.svg");
    case Artwork::PageSelectOff: return QStringLiteral(":/artwork/page_select_off.svg");
    case Artwork::LedOn: return QStringLiteral(":/artwork/led_on.svg");
    case Artwork::LedOff: return QStringLiteral(":/artwork/led_off.svg");
    case Artwork::ProgramIcon: return QStringLiteral(":/artwork/icon.svg");
    case Artwork::SmallImage: return QStringLiteral(":/artwork/logo_small.svg");
    case Artwork::AboutPicture: return QStringLiteral(":/artwork/about.svg");
    case Artwork::WaferCarrier: return QStringLiteral(":/artwork/wafer_carrier.svg");
    }
    return {};
}

} // namespace

QSize artworkSize(Artwork artwork)
{
    registerArtwork();
    return QSvgRenderer(resourceOf(artwork)).defaultSize();
}

QPixmap artworkPixmap(Artwork artwork, QSize size)
{
    registerArtwork();
    // Every switch of a window shows the same two drawings: each size is
    // rendered once and then taken from the cache.
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    const QString key = QStringLiteral("teb-artwork-%1-%2x%3@%4")
                            .arg(static_cast<int>(artwork))
                            .arg(size.width())
                            .arg(size.height())
                            .arg(ratio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    QSvgRenderer renderer(resourceOf(artwork));
    if (size.isEmpty())
        size = renderer.defaultSize();
    pixmap = QPixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QIcon programIcon()
{
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(artworkPixmap(Artwork::ProgramIcon, QSize(side, side)));
    return icon;
}

} // namespace teb::gui
