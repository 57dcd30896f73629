// The terminal group's trace of every exchange with the reader, and the
// terminal line's history of sent commands.
#include "windows/main/cqv58_dlg.h"

#include "windows/main/time_of_day.h"

namespace teb {
namespace {

constexpr std::string_view kTraceFileName = "trace.txt";

} // namespace

void CQV58Dlg::traceClicked()
{
    m_terminal.traceShown = m_view.isChecked(Control::TraceSwitch);
    m_view.setSwitchImage(Control::TraceSwitch, m_terminal.traceShown);
    m_view.setVisible(Control::TraceView, m_terminal.traceShown);
    m_view.setVisible(Control::TerminalView, !m_terminal.traceShown);
    if (m_terminal.traceShown) {
        m_terminal.trace.skipAdded();
        m_view.setText(Control::TraceView, m_terminal.trace.newestFirst());
    }
}

void CQV58Dlg::showTrace()
{
    if (!m_terminal.traceShown) {
        m_terminal.trace.skipAdded();
        return;
    }
    if (const std::string added = m_terminal.trace.takeAdded(); !added.empty())
        m_view.prependTraceText(added);
}

// The lines kept, oldest first, into a file the operator chooses.
void CQV58Dlg::saveTrace()
{
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.initialDirectory = m_job.workingDirectory;
    request.initialFileName = (m_job.workingDirectory / kTraceFileName).string();
    request.defaultExtension = "txt";
    request.filter = "Text files (*.txt)|*.txt||";
    request.promptOverwrite = true;
    const auto chosen = m_dialogs.chooseFile(request);
    if (!chosen)
        return;
    std::string problem;
    if (!m_terminal.trace.save(*chosen, problem))
        showMessage("The trace could not be saved in " + chosen->string() + ":\r\n" + problem, kWindowTitle,
                    MessageIcon::Stop);
}

void CQV58Dlg::terminalHistoryStep(SpinDirection direction)
{
    const auto command = direction == SpinDirection::Up ? m_terminal.commandHistory.older() : m_terminal.commandHistory.newer();
    if (!command)
        return;
    m_terminal.terminalInput = *command;
    m_view.setText(Control::TerminalInput, m_terminal.terminalInput);
}

} // namespace teb
