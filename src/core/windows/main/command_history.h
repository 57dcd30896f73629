#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace teb {

// The commands sent from the terminal line, for Up and Down: Up goes back to
// older commands, Down forward again and past the newest to an empty line.
// A command sent twice in a row is kept once; the newest kLimit are kept.
class CommandHistory {
public:
    static constexpr std::size_t kLimit = 100;

    void add(const std::string &command); // and back to the newest end
    std::optional<std::string> older();   // none at the oldest
    std::optional<std::string> newer();   // the empty line past the newest; none there

private:
    std::deque<std::string> m_commands; // oldest first
    std::size_t m_position = 0;         // m_commands.size(): past the newest
};

} // namespace teb
