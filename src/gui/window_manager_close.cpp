#include "window_manager_close.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string_view>

namespace teb::gui {
namespace {

constexpr std::string_view kXcbEvent = "xcb_generic_event_t";
constexpr std::uint8_t kSentEventBit = 0x80;

std::uint32_t internedAtom(xcb_connection_t *connection, std::string_view name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(name.size()), name.data());
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : static_cast<std::uint32_t>(XCB_ATOM_NONE);
}

} // namespace

WindowManagerClose::WindowManagerClose(QWidget &window, std::function<void()> closeRequested)
    : m_window(window), m_closeRequested(std::move(closeRequested))
{
    const auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr || x11->connection() == nullptr)
        return; // no X11: nothing to hear
    m_protocolsAtom = internedAtom(x11->connection(), "WM_PROTOCOLS");
    m_deleteWindowAtom = internedAtom(x11->connection(), "WM_DELETE_WINDOW");
    qApp->installNativeEventFilter(this);
}

WindowManagerClose::~WindowManagerClose() { qApp->removeNativeEventFilter(this); }

bool WindowManagerClose::isCloseRequest(const void *message) const
{
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & ~kSentEventBit) != XCB_CLIENT_MESSAGE)
        return false;
    const auto *client = static_cast<const xcb_client_message_event_t *>(message);
    return client->format == 32 && client->type == m_protocolsAtom && client->data.data32[0] == m_deleteWindowAtom
           && m_window.internalWinId() != 0 && client->window == m_window.internalWinId();
}

// Only while something blocks the window: otherwise Qt delivers the close
// event itself. The request is handed on after this event, from the loop.
bool WindowManagerClose::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != kXcbEvent.data() || m_protocolsAtom == XCB_ATOM_NONE || !isCloseRequest(message))
        return false;
    QWidget *modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == &m_window)
        return false;
    QMetaObject::invokeMethod(&m_window, m_closeRequested, Qt::QueuedConnection);
    return true;
}

} // namespace teb::gui
