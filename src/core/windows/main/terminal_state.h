#pragma once

#include "windows/main/command_history.h"
#include "windows/main/trace_log.h"
#include "reader/reader_transaction.h"

#include <string>

namespace teb {

// What the view is to do to show the terminal text.
struct TerminalChange {
    enum class Kind { None, OnTop, Replace };
    Kind kind = Kind::None;
    std::string text; // the lines to put on top, or the whole text
};

// The terminal: shown or not, its text (newest line first) and what the view
// shows of it, the command line, the trace and the commands sent. Reader
// operations put their exchanges on it as they come.
struct TerminalState final : TerminalSink {
    // Lines put on top of what the view shows go to it alone; any other
    // change replaces the view's text. Either way the newest lines only are
    // kept, and the view is taken to show the text from now on.
    TerminalChange changeToShow();
    void putOnTop(std::string_view lines) override { terminalText.insert(0, lines); }
    // The text is emptied; the view follows at its next repaint.
    void clear() override { terminalText.clear(); }

    bool terminalVisible = false;
    std::string terminalText;
    std::string terminalShown; // the terminal text the view shows
    std::string terminalInput;
    TraceLog trace;
    bool traceShown = false;
    CommandHistory commandHistory;
};

} // namespace teb
