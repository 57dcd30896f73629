#include "command_trigger.h"

namespace teb::sim {

bool commandMatches(const std::string &command, const std::string &filter)
{
    if (filter.empty())
        return true;
    if (command.compare(0, filter.size(), filter) != 0)
        return false;
    return command.size() == filter.size() || command[filter.size()] == ' ';
}

bool CommandTrigger::fires(const std::string &command)
{
    if (command.empty() || !commandMatches(command, m_filter))
        return false;
    if (m_count > 0 && m_fired >= m_count)
        return false;
    ++m_fired;
    return true;
}

} // namespace teb::sim
