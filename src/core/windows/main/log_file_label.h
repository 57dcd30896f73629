#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace teb {

// The longest log file name the label beside "Log" shows in full.
inline constexpr std::size_t kLogFileLabelLimit = 51;

// The full name when it fits, otherwise "..." and its last 51 characters.
std::string shortenedLogFileName(std::string_view fullName);

} // namespace teb
