#include "editor_artwork.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

// The resources of a static library are registered by hand, once.
static void registerEditorArtwork()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(editor_artwork);
        return true;
    }();
    (void)registered;
}

namespace teb::gui {

QPixmap editorPicture(EditorPicture picture)
{
    registerEditorArtwork();
    QSvgRenderer renderer(picture == EditorPicture::MemoryMap ? QStringLiteral(":/editor/memory_map.svg")
                                                              : QStringLiteral(":/editor/wafer_carrier.svg"));
    const QSize size = renderer.defaultSize();
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

} // namespace teb::gui
