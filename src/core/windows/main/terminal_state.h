#pragma once

#include "windows/main/command_history.h"
#include "windows/main/trace_log.h"

#include <string>

namespace teb {

// The terminal: shown or not, its text (newest line first) and what the view
// shows of it, the command line, the trace and the commands sent.
struct TerminalState {
    bool terminalVisible = false;
    std::string terminalText;
    std::string terminalShown; // the terminal text the view shows
    std::string terminalInput;
    TraceLog trace;
    bool traceShown = false;
    CommandHistory commandHistory;
};

} // namespace teb
