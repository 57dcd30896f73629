#pragma once

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace teb::gui {

// Calls that another thread hands to the window's thread: a model running on
// its own thread reaches its Qt view only through here. Each call runs on the
// window's thread, in the order handed in, and the caller waits for it; an
// exception it throws is thrown again on the caller's thread.
class GuiCalls {
public:
    GuiCalls();
    GuiCalls(const GuiCalls &) = delete;
    GuiCalls &operator=(const GuiCalls &) = delete;

    // On the window's thread the call runs at once.
    void run(const std::function<void()> &call);

    // The window's thread runs what was handed in until `finished` holds;
    // wake() makes it look again. Only calls are run, never other events.
    void serveUntil(const std::function<bool()> &finished);
    void wake();

    bool onWindowThread() const;
    // The window's thread is running one of the calls: what the window
    // reports now (a box that lost the focus to one the model chose) is
    // the model's own doing.
    bool inCall() const { return m_callsRunning > 0; }

private:
    struct Pending {
        const std::function<void()> *call;
        std::exception_ptr error;
        bool done = false;
    };

    void serve(); // the window's thread: runs every call handed in so far

    QObject m_context; // lives on the window's thread
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Pending *> m_queue;
    std::atomic<int> m_callsRunning = 0;
};

} // namespace teb::gui
