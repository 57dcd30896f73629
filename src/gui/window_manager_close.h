#pragma once

#include <QAbstractNativeEventFilter>
#include <QByteArray>

#include <cstdint>
#include <functional>

class QWidget;

namespace teb::gui {

// The window manager's close box on a window that a box or dialog blocks:
// Qt drops that request (a blocked window cannot be closed), so the station
// would stay with its box on the screen. This filter hears it first, on X11,
// and hands it on; elsewhere it does nothing.
class WindowManagerClose final : public QAbstractNativeEventFilter {
public:
    WindowManagerClose(QWidget &window, std::function<void()> closeRequested);
    ~WindowManagerClose() override;
    WindowManagerClose(const WindowManagerClose &) = delete;
    WindowManagerClose &operator=(const WindowManagerClose &) = delete;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    bool isCloseRequest(const void *message) const;

    QWidget &m_window;
    std::function<void()> m_closeRequested;
    std::uint32_t m_protocolsAtom = 0;
    std::uint32_t m_deleteWindowAtom = 0;
};

} // namespace teb::gui
