#include "model_thread.h"

namespace teb::gui {

ModelThread::ModelThread() : m_thread([this](std::stop_token stopping) { run(stopping); }) {}

ModelThread::~ModelThread() { stop(); }

void ModelThread::post(std::function<void()> job)
{
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_posted.notify_one();
}

void ModelThread::stop()
{
    if (!m_thread.joinable())
        return;
    m_thread.request_stop();
    m_thread.join();
}

void ModelThread::run(std::stop_token stopping)
{
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(m_mutex);
            if (!m_posted.wait(lock, stopping, [this] { return !m_jobs.empty(); }))
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        job();
    }
}

} // namespace teb::gui
