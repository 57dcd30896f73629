#pragma once

#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace teb {

struct ReceivedLines {
    std::vector<std::string> lines; // oldest first
    std::size_t dropped = 0;        // older lines that did not fit
};

// Lines the reader's receive thread hands to the window while no reader
// operation runs. The receive thread appends; the window's thread takes them
// all at once. Neither side holds the lock for more than a copy, so closing
// the port (which joins the receive thread) never waits on the window. A
// window that does not get round to them loses the oldest, counted.
class ReceiveInbox {
public:
    static constexpr std::size_t kLineLimit = 1000;

    // Returns true when the inbox was empty: the caller then wakes the window.
    bool append(std::string line);
    // Every line kept since the last call, and how many were dropped; the inbox is empty after.
    ReceivedLines takeAll();

private:
    std::mutex m_mutex;
    std::deque<std::string> m_lines;
    std::size_t m_dropped = 0;
};

// The line that stands in the terminal view for lines the inbox dropped.
std::string droppedLinesNote(std::size_t count);

} // namespace teb
