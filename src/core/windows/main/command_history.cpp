#include "windows/main/command_history.h"

namespace teb {

void CommandHistory::add(const std::string &command)
{
    if (!command.empty() && (m_commands.empty() || m_commands.back() != command)) {
        m_commands.push_back(command);
        if (m_commands.size() > kLimit)
            m_commands.pop_front();
    }
    m_position = m_commands.size();
}

std::optional<std::string> CommandHistory::older()
{
    if (m_position == 0)
        return std::nullopt;
    return m_commands[--m_position];
}

std::optional<std::string> CommandHistory::newer()
{
    if (m_position >= m_commands.size())
        return std::nullopt;
    ++m_position;
    return m_position == m_commands.size() ? std::string() : m_commands[m_position];
}

} // namespace teb
