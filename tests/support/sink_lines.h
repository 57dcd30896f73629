#pragma once

#include "reader/reader_port.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace teb::test {

// The lines the port's receive thread hands to the terminal view, collected
// for a test. It must outlive the port's receive thread.
class SinkLines {
public:
    void attach(ReaderPort &port)
    {
        port.setTerminalSink([this](const std::string &line) {
            std::lock_guard lock(m_mutex);
            m_lines.push_back(line);
            m_changed.notify_all();
        });
    }

    // Once there are `count` (at most 10 s).
    std::vector<std::string> once(std::size_t count)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_lines.size() >= count; });
        return m_lines;
    }
    void clear()
    {
        std::lock_guard lock(m_mutex);
        m_lines.clear();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_lines;
};

} // namespace teb::test
