#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <thread>

// Long work of a window (the journal exported, a record file written again)
// on a thread of its own: the window's thread looks at its progress on a
// timer and may ask it to stop; the work looks at its stop token between
// pieces. The work must not touch what the window's thread uses (a journal
// connection of its own).
namespace teb {

class TaskProgress {
public:
    void setTotal(std::uint64_t total) { m_total.store(total, std::memory_order_relaxed); }
    void advance(std::uint64_t by) { m_done.fetch_add(by, std::memory_order_relaxed); }
    std::uint64_t done() const { return m_done.load(std::memory_order_relaxed); }
    std::uint64_t total() const { return m_total.load(std::memory_order_relaxed); } // 0: not known yet

private:
    std::atomic<std::uint64_t> m_done{0};
    std::atomic<std::uint64_t> m_total{0};
};

struct TaskOutcome {
    enum class End { Done, Failed, Cancelled };
    End end = End::Done;
    std::string text; // what the operator is told
};

class BackgroundTask {
public:
    using Work = std::function<TaskOutcome(std::stop_token stop, TaskProgress &progress)>;

    // Starts the work at once. An exception it throws ends it as failed, with its text.
    explicit BackgroundTask(Work work);
    // Asks the work to stop and waits for it.
    ~BackgroundTask() = default;
    BackgroundTask(const BackgroundTask &) = delete;
    BackgroundTask &operator=(const BackgroundTask &) = delete;

    void cancel() { m_thread.request_stop(); }
    bool cancelling() const { return m_thread.get_stop_token().stop_requested(); }
    bool finished() const { return m_finished.load(std::memory_order_acquire); }
    const TaskProgress &progress() const { return m_progress; }
    // Only once finished.
    const TaskOutcome &outcome() const { return m_outcome; }

private:
    TaskProgress m_progress;
    TaskOutcome m_outcome;
    std::atomic<bool> m_finished{false};
    std::jthread m_thread; // last: joined before the rest goes
};

} // namespace teb
