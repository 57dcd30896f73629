#include "windows/main/receive_inbox.h"

namespace teb {

bool ReceiveInbox::append(std::string line)
{
    const std::scoped_lock lock(m_mutex);
    const bool wasEmpty = m_lines.empty();
    if (m_lines.size() == kLineLimit) {
        m_lines.pop_front();
        ++m_dropped;
    }
    m_lines.push_back(std::move(line));
    return wasEmpty;
}

ReceivedLines ReceiveInbox::takeAll()
{
    ReceivedLines received;
    const std::scoped_lock lock(m_mutex);
    received.lines.assign(std::make_move_iterator(m_lines.begin()), std::make_move_iterator(m_lines.end()));
    received.dropped = m_dropped;
    m_lines.clear();
    m_dropped = 0;
    return received;
}

std::string droppedLinesNote(std::size_t count)
{
    return "(" + std::to_string(count) + " received lines dropped)\r\n";
}

} // namespace teb
