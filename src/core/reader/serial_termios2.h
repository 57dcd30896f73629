#pragma once

#include "reader/serial_line_settings.h"

#include <optional>

namespace teb::serial {

// Puts the device into raw mode (no echo, no line editing, no character
// translation, a read returns as soon as one byte is there) with the given
// line flags and any baud rate, then reads back what the driver holds.
// Nothing when the driver rejects the request or cannot report.
std::optional<TerminalLineFlags> setRawLine(int fd, const TerminalLineFlags &flags);

} // namespace teb::serial
