#include "event_relay.h"

#include "gui_calls.h"
#include "guarded_call.h"

namespace teb::gui {

EventRelay::EventRelay(CQV58DlgEvents &model, GuiCalls &calls, std::function<void()> cancelBoxes)
    : m_model(model), m_calls(calls), m_cancelBoxes(std::move(cancelBoxes))
{
}

EventRelay::~EventRelay() { stop(); }

void EventRelay::stop() { m_thread.stop(); }

bool EventRelay::deliver(Event event, Kind kind)
{
    if (kind == Kind::Ordinary && m_calls.inCall())
        return false; // the model's own doing, like a focus it moved
    {
        const std::lock_guard lock(m_mutex);
        // Before its first wait an event keeps what steers it for that wait,
        // or hands it on once it is over.
        const bool keep = m_waiting ? kind != Kind::Ordinary : m_busy && kind != Kind::Ordinary;
        if (keep)
            m_kept.emplace_back(std::move(event), m_waiting ? kind : Kind::Lasting);
        if (keep || m_waiting)
            return keep;
    }
    m_thread.post([this, event = std::move(event)] { runEvent(event); });
    return true;
}

void EventRelay::runEvent(const Event &event)
{
    {
        const std::lock_guard lock(m_mutex);
        m_busy = true;
    }
    guardedCall([&] { event(m_model); });
    std::vector<std::pair<Event, Kind>> left;
    {
        const std::lock_guard lock(m_mutex);
        left.swap(m_kept);
        m_busy = false;
        m_waiting = false;
    }
    for (auto &[kept, kind] : left) {
        if (kind == Kind::Lasting)
            guardedCall([&] { kept(m_model); });
    }
}

void EventRelay::takeInterrupts()
{
    m_waiting = true;
    takeKept();
}

void EventRelay::takeKept()
{
    std::vector<std::pair<Event, Kind>> kept;
    {
        const std::lock_guard lock(m_mutex);
        kept.swap(m_kept);
    }
    for (auto &[event, kind] : kept)
        guardedCall([&] { event(m_model); });
}

void EventRelay::runAndServe(const std::function<void()> &call)
{
    std::atomic<bool> finished = false;
    m_thread.post([&] {
        runEvent([&](CQV58DlgEvents &) { call(); });
        finished = true;
        m_calls.wake();
    });
    m_calls.serveUntil([&] { return finished.load(); });
}

bool EventRelay::initialise()
{
    bool result = false;
    runAndServe([&] { result = m_model.initialise(); });
    return result;
}

void EventRelay::destroy()
{
    runAndServe([&] { m_model.destroy(); });
}

void EventRelay::closeRequest()
{
    if (m_busy && m_cancelBoxes)
        m_cancelBoxes();
    deliver([](CQV58DlgEvents &model) { model.closeRequest(); }, Kind::Lasting);
}

void EventRelay::escape()
{
    deliver([](CQV58DlgEvents &model) { model.escape(); }, Kind::Interrupt);
}

void EventRelay::clicked(Control id)
{
    const bool steers = id == Control::StopButton || id == Control::ContOnButton;
    deliver([id](CQV58DlgEvents &model) { model.clicked(id); }, steers ? Kind::Interrupt : Kind::Ordinary);
}

void EventRelay::inboxPosted()
{
    deliver([](CQV58DlgEvents &model) { model.inboxPosted(); }, Kind::Lasting);
}

void EventRelay::defaultAction()
{
    deliver([](CQV58DlgEvents &model) { model.defaultAction(); }, Kind::Ordinary);
}

void EventRelay::menuCommand(MenuItem item)
{
    deliver([item](CQV58DlgEvents &model) { model.menuCommand(item); }, Kind::Ordinary);
}

void EventRelay::enterPressed(Control id)
{
    deliver([id](CQV58DlgEvents &model) { model.enterPressed(id); }, Kind::Ordinary);
}

void EventRelay::focusLost(Control id)
{
    deliver([id](CQV58DlgEvents &model) { model.focusLost(id); }, Kind::Ordinary);
}

void EventRelay::spinStep(Control spin, SpinDirection direction)
{
    deliver([spin, direction](CQV58DlgEvents &model) { model.spinStep(spin, direction); }, Kind::Ordinary);
}

void EventRelay::tick(int timerId)
{
    const unsigned bit = 1U << (static_cast<unsigned>(timerId) % 32U);
    if (m_busy || (m_ticksQueued.fetch_or(bit) & bit) != 0)
        return;
    const bool delivered = deliver(
        [this, timerId, bit](CQV58DlgEvents &model) {
            m_ticksQueued &= ~bit;
            model.tick(timerId);
        },
        Kind::Ordinary);
    if (!delivered)
        m_ticksQueued &= ~bit;
}

} // namespace teb::gui
