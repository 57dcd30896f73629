#include "gui_calls.h"

#include <QThread>

namespace teb::gui {

GuiCalls::GuiCalls() = default;

bool GuiCalls::onWindowThread() const { return QThread::currentThread() == m_context.thread(); }

void GuiCalls::run(const std::function<void()> &call)
{
    if (onWindowThread()) {
        const CallRunning running(m_callsRunning);
        call();
        return;
    }
    Pending pending{&call, nullptr};
    {
        const std::lock_guard lock(m_mutex);
        m_queue.push_back(&pending);
    }
    m_changed.notify_all();
    QMetaObject::invokeMethod(&m_context, [this] { serve(); }, Qt::QueuedConnection);
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return pending.done; });
    if (pending.error)
        std::rethrow_exception(pending.error);
}

// A call may show a modal box whose own event loop serves the next one:
// every call is taken off the queue before it runs.
void GuiCalls::serve()
{
    for (;;) {
        Pending *pending = nullptr;
        {
            const std::lock_guard lock(m_mutex);
            if (m_queue.empty())
                return;
            pending = m_queue.front();
            m_queue.pop_front();
        }
        try {
            const CallRunning running(m_callsRunning);
            (*pending->call)();
        } catch (...) {
            pending->error = std::current_exception();
        }
        {
            const std::lock_guard lock(m_mutex);
            pending->done = true;
        }
        m_changed.notify_all();
    }
}

void GuiCalls::serveUntil(const std::function<bool()> &finished)
{
    for (;;) {
        serve();
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return !m_queue.empty() || finished(); });
        if (m_queue.empty())
            return;
    }
}

// The caller changed what `finished` looks at before; passing through the
// lock orders that change before the waiter's next look, so the notification
// cannot fall between its look and its wait.
void GuiCalls::wake()
{
    {
        const std::lock_guard lock(m_mutex);
    }
    m_changed.notify_all();
}

} // namespace teb::gui
