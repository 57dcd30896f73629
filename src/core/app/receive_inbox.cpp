#include "app/receive_inbox.h"

namespace teb {

bool ReceiveInbox::append(std::string line)
{
    const std::scoped_lock lock(m_mutex);
    m_lines.push_back(std::move(line));
    return m_lines.size() == 1;
}

std::vector<std::string> ReceiveInbox::takeAll()
{
    std::vector<std::string> lines;
    const std::scoped_lock lock(m_mutex);
    lines.swap(m_lines);
    return lines;
}

} // namespace teb
