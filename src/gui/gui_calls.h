#pragma once

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <type_traits>

namespace teb::gui {

// What `call` returns, when `run` runs it elsewhere and waits for it.
template <typename Run, typename Call>
auto resultThrough(Run &&run, Call &&call)
{
    using Result = std::invoke_result_t<Call>;
    if constexpr (std::is_void_v<Result>) {
        run(call);
    } else {
        std::optional<Result> result;
        run([&] { result.emplace(call()); });
        return std::move(*result);
    }
}

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
    // Counts the calls the window's thread is running, for inCall.
    class CallRunning {
    public:
        explicit CallRunning(std::atomic<int> &running) : m_running(running) { ++m_running; }
        ~CallRunning() { --m_running; }
        CallRunning(const CallRunning &) = delete;
        CallRunning &operator=(const CallRunning &) = delete;

    private:
        std::atomic<int> &m_running;
    };

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
