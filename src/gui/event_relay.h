#pragma once

#include "windows/main/cqv58_dlg_events.h"
#include "model_thread.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

namespace teb::gui {

class GuiCalls;

// The main window's events on their way to a model that runs on a thread of
// its own, so that the window's thread never waits for the reader. The model
// takes one event at a time, in the order reported. While an operation waits
// for the reader, what can end or steer it ("Stop", "Cont On", Escape) is
// kept until the model looks for it (takeInterrupts) and the rest of the
// operator's input is dropped. The close box and the receive thread's
// wake-ups reach a running event at its next look or box, or when it ends;
// so does what steers an operation, reported before the event first waited.
// A timer's tick is dropped while an event runs or its last tick waits. What
// the window reports while it runs one of the model's calls (a box losing
// the focus to one the model chose) is the model's own doing: dropped.
class EventRelay final : public CQV58DlgEvents {
public:
    // `cancelBoxes` runs on the window's thread when the close box comes
    // while the model shows a box: the box goes, and the model hears of the
    // close box as soon as it gets control back.
    EventRelay(CQV58DlgEvents &model, GuiCalls &calls, std::function<void()> cancelBoxes);
    ~EventRelay() override;
    EventRelay(const EventRelay &) = delete;
    EventRelay &operator=(const EventRelay &) = delete;

    // From the window's thread: `call` runs on the model's thread as one
    // event, and the window's thread runs the model's calls to the view
    // until it is over (start-up, the way out, a look at the model's state).
    void runAndServe(const std::function<void()> &call);
    // After the last event: the model's thread ends.
    void stop();

    // The thread that runs the model, inside its event: while it waits for
    // the reader (input other than what steers it is dropped until the event
    // ends), and after a box.
    void takeInterrupts();
    void takeKept();
    // An operation of the running event waits for the reader.
    bool waitingForReader() const { return m_waiting; }

    // CQV58DlgEvents, reported on the window's thread (inboxPosted on any).
    bool initialise() override;
    void destroy() override;
    void closeRequest() override;
    void escape() override;
    void defaultAction() override;
    void menuCommand(MenuItem item) override;
    void clicked(Control id) override;
    void enterPressed(Control id) override;
    void focusLost(Control id) override;
    void spinStep(Control spin, SpinDirection direction) override;
    void tick(int timerId) override;
    void inboxPosted() override;

private:
    using Event = std::function<void(CQV58DlgEvents &)>;
    enum class Kind {
        Ordinary,  // dropped while an operation waits for the reader
        Interrupt, // kept while an operation waits; dropped when it ends first
        Lasting,   // kept while an event runs, and handed on when it ends
    };

    bool deliver(Event event, Kind kind); // false: dropped
    void runEvent(const Event &event); // on the model's thread

    CQV58DlgEvents &m_model;
    GuiCalls &m_calls;
    std::function<void()> m_cancelBoxes;
    std::mutex m_mutex;
    std::atomic<bool> m_busy = false;
    std::atomic<bool> m_waiting = false;
    std::atomic<unsigned> m_ticksQueued = 0; // a bit for each timer whose tick waits
    std::vector<std::pair<Event, Kind>> m_kept;
    ModelThread m_thread; // last: it ends before what its events use
};

} // namespace teb::gui
