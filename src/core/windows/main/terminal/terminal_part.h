#pragma once

#include "windows/main/cqv58_dlg_events.h"
#include "windows/main/cqv58_dlg_view.h"
#include "windows/main/dialog_host.h"
#include "windows/main/terminal_state.h"

#include <filesystem>
#include <string>

namespace teb {

// Window sizes with the terminal hidden and shown.
inline constexpr int kNarrowWindowWidth = 799;
inline constexpr int kWideWindowWidth = 1120;
inline constexpr int kWindowHeight = 461;

// The main window's terminal group: its text, the command line with its
// history, the trace and the "Terminal" menu. It keeps its state and puts
// it on the view itself; the window hands it what the reader said and sent.
class TerminalPart {
public:
    TerminalPart(CQV58DlgView &view, DialogHost &dialogs) : m_view(view), m_dialogs(dialogs) {}

    const TerminalState &state() const { return m_state; }
    // Where reader operations put their exchanges, and the trace they add to.
    TerminalSink &sink() { return m_state; }
    TraceLog &trace() { return m_state.trace; }

    int windowWidth() const { return m_state.terminalVisible ? kWideWindowWidth : kNarrowWindowWidth; }
    void setShown(bool shown);     // the menu item and the window's width follow
    void toggleShown() { setShown(!m_state.terminalVisible); }
    void clear();

    // The command line from the view, and back.
    void takeInput() { m_state.terminalInput = m_view.text(Control::TerminalInput); }
    void showInput() { m_view.setText(Control::TerminalInput, m_state.terminalInput); }
    const std::string &input() const { return m_state.terminalInput; }
    // The command line went to the reader (or did not: its port is closed).
    void sent(const std::string &stamp, bool portOpen, bool written);
    void historyStep(SpinDirection direction);

    // Lines put on top of the text (received, or the station's own notes).
    void putOnTop(const std::string &lines);
    void received(const std::string &stamp, const std::string &line) { m_state.trace.received(stamp, line); }
    void showText();

    void showTraceSwitch() { m_view.setSwitchImage(Control::TraceSwitch, m_state.traceShown); }
    void traceClicked();
    void showTrace();
    void saveTrace(const std::filesystem::path &workingDirectory);

private:
    CQV58DlgView &m_view;
    DialogHost &m_dialogs;
    TerminalState m_state;
};

} // namespace teb
