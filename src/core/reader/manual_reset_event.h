#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>

namespace teb {

// An event that stays signalled until it is reset, for any number of waiters.
// Data that travels with the signal is handed over under the event's mutex:
// `setWith` runs its action under the lock before signalling, and `takeWithin`
// runs its action under the lock once the event is seen signalled.
class ManualResetEvent {
public:
    explicit ManualResetEvent(std::string name) : m_name(std::move(name)) {}
    ManualResetEvent(const ManualResetEvent &) = delete;
    ManualResetEvent &operator=(const ManualResetEvent &) = delete;

    const std::string &name() const { return m_name; }

    void set()
    {
        setWith([] {});
    }

    template <typename Action>
    void setWith(Action &&underLock)
    {
        {
            std::lock_guard lock(m_mutex);
            underLock();
            m_signalled = true;
        }
        m_changed.notify_all();
    }

    void reset()
    {
        std::lock_guard lock(m_mutex);
        m_signalled = false;
    }

    void wait()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_signalled; });
    }

    // Waits at most `timeout`. When the event is signalled in time: runs the
    // action and resets the event under the same lock, so that the signal and
    // the data handed over with it are taken together, and returns true.
    template <typename Action>
    bool takeWithin(std::chrono::milliseconds timeout, Action &&underLockWhenSignalled)
    {
        std::unique_lock lock(m_mutex);
        if (!m_changed.wait_for(lock, timeout, [this] { return m_signalled; }))
            return false;
        underLockWhenSignalled();
        m_signalled = false;
        return true;
    }

private:
    std::string m_name;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_signalled = false;
};

} // namespace teb
