#pragma once

#include "reader/reader_port.h"

#include <string>

namespace teb {

// "Send" in the terminal panel: writes the input text and a CR to the reader
// when the port is open. Nothing is awaited; the answer reaches the terminal
// view through the receive thread. Returns whether the port took the text.
bool terminalSend(ReaderPort &port, PortHandle handle, bool portOpen, const std::string &terminalInput);

} // namespace teb
