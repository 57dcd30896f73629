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
    traceShown = m_view.isChecked(Control::TraceSwitch);
    m_view.setSwitchImage(Control::TraceSwitch, traceShown);
    m_view.setVisible(Control::TraceView, traceShown);
    m_view.setVisible(Control::TerminalView, !traceShown);
    if (traceShown) {
        trace.skipAdded();
        m_view.setText(Control::TraceView, trace.newestFirst());
    }
}

void CQV58Dlg::showTrace()
{
    if (!traceShown) {
        trace.skipAdded();
        return;
    }
    if (const std::string added = trace.takeAdded(); !added.empty())
        m_view.prependTraceText(added);
}

// The lines kept, oldest first, into a file the operator chooses.
void CQV58Dlg::saveTrace()
{
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.initialDirectory = workingDirectory;
    request.initialFileName = (workingDirectory / kTraceFileName).string();
    request.defaultExtension = "txt";
    request.filter = "Text files (*.txt)|*.txt||";
    request.promptOverwrite = true;
    const auto chosen = m_dialogs.chooseFile(request);
    if (!chosen)
        return;
    std::string problem;
    if (!trace.save(*chosen, problem))
        showMessage("The trace could not be saved in " + chosen->string() + ":\r\n" + problem, kWindowTitle,
                    MessageIcon::Stop);
}

void CQV58Dlg::terminalHistoryStep(SpinDirection direction)
{
    const auto command = direction == SpinDirection::Up ? commandHistory.older() : commandHistory.newer();
    if (!command)
        return;
    terminalInput = *command;
    m_view.setText(Control::TerminalInput, terminalInput);
}

} // namespace teb
