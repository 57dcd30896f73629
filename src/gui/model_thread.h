#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace teb::gui {

// The thread the main window's model runs on: what is posted runs there one
// after another, in the order posted. Plain standard threads, so that the
// thread sanitizer sees every hand-over.
class ModelThread {
public:
    ModelThread();
    ~ModelThread();
    ModelThread(const ModelThread &) = delete;
    ModelThread &operator=(const ModelThread &) = delete;

    void post(std::function<void()> job);
    // Nothing more runs; the running job is waited for.
    void stop();

private:
    void run(std::stop_token stopping);

    std::mutex m_mutex;
    std::condition_variable_any m_posted;
    std::deque<std::function<void()>> m_jobs;
    std::jthread m_thread; // last: it starts once the queue exists
};

} // namespace teb::gui
