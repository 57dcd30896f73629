#pragma once

#include "windows/config/memory_map.h"

#include <QRectF>
#include <QWidget>

namespace teb::gui {

// "Config": the "Transponder memory" picture, the 17 pages of eight bytes as
// the model describes them, a lock beside each locked page.
class MemoryMapWidget : public QWidget {
    Q_OBJECT
public:
    explicit MemoryMapWidget(QWidget *parent = nullptr);

    void setMap(const MemoryMap &map);
    const MemoryMap &map() const { return m_map; }
    QRectF cellRect(int byte) const;  // where byte 0 .. 135 is drawn
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    MemoryMap m_map;
};

} // namespace teb::gui
