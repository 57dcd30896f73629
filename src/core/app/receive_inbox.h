#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace teb {

// Lines the reader's receive thread hands to the window while no reader
// operation runs. The receive thread appends; the window's thread takes them
// all at once. Neither side holds the lock for more than a copy, so closing
// the port (which joins the receive thread) never waits on the window.
class ReceiveInbox {
public:
    // Returns true when the inbox was empty: the caller then wakes the window.
    bool append(std::string line);
    // Every line received so far, oldest first; the inbox is empty after.
    std::vector<std::string> takeAll();

private:
    std::mutex m_mutex;
    std::vector<std::string> m_lines;
};

} // namespace teb
