#pragma once

#include <string>

namespace teb::sim {

// Whether the words of `filter` are the first words of `command`.
bool commandMatches(const std::string &command, const std::string &filter);

// Fires on the commands that begin with the filter's words (every command
// when it is empty), the first `count` of them (all when 0).
class CommandTrigger {
public:
    CommandTrigger() = default;
    CommandTrigger(std::string filter, int count) : m_filter(std::move(filter)), m_count(count) {}

    // Whether it fires on this command; counts the firing.
    bool fires(const std::string &command);

private:
    std::string m_filter;
    int m_count = 0;
    int m_fired = 0;
};

} // namespace teb::sim
