#include "windows/main/terminal/terminal_part.h"

#include <string_view>

namespace teb {
namespace {

constexpr std::string_view kTraceFileName = "trace.txt";

} // namespace

void TerminalPart::setShown(bool shown)
{
    m_state.terminalVisible = shown;
    m_view.setMenuChecked(MenuItem::TerminalShow, shown);
    m_view.setWindowSize(windowWidth(), kWindowHeight);
}

void TerminalPart::clear()
{
    m_state.clear();
    showText();
}

void TerminalPart::sent(const std::string &stamp, bool portOpen, bool written)
{
    m_state.commandHistory.add(m_state.terminalInput);
    if (!portOpen)
        return;
    m_state.trace.sent(stamp, m_state.terminalInput + '\r', written ? "" : "not sent");
    showTrace();
}

void TerminalPart::historyStep(SpinDirection direction)
{
    const auto command =
        direction == SpinDirection::Up ? m_state.commandHistory.older() : m_state.commandHistory.newer();
    if (!command)
        return;
    m_state.terminalInput = *command;
    showInput();
}

void TerminalPart::putOnTop(const std::string &lines)
{
    m_state.putOnTop(lines);
    showText();
}

void TerminalPart::showText()
{
    const TerminalChange change = m_state.changeToShow();
    switch (change.kind) {
    case TerminalChange::Kind::OnTop: m_view.prependTerminalText(change.text); break;
    case TerminalChange::Kind::Replace: m_view.setText(Control::TerminalView, change.text); break;
    case TerminalChange::Kind::None: break;
    }
}

void TerminalPart::traceClicked()
{
    m_state.traceShown = m_view.isChecked(Control::TraceSwitch);
    showTraceSwitch();
    m_view.setVisible(Control::TraceView, m_state.traceShown);
    m_view.setVisible(Control::TerminalView, !m_state.traceShown);
    if (m_state.traceShown) {
        m_state.trace.skipAdded();
        m_view.setText(Control::TraceView, m_state.trace.newestFirst());
    }
}

void TerminalPart::showTrace()
{
    if (!m_state.traceShown) {
        m_state.trace.skipAdded();
        return;
    }
    if (const std::string added = m_state.trace.takeAdded(); !added.empty())
        m_view.prependTraceText(added);
}

// The lines kept, oldest first, into a file the operator chooses.
void TerminalPart::saveTrace(const std::filesystem::path &workingDirectory)
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
    if (!m_state.trace.save(*chosen, problem))
        m_dialogs.showMessage(MessageRequest{"The trace could not be saved in " + chosen->string() + ":\r\n" + problem,
                                             std::string(kWindowTitle), MessageIcon::Stop, MessageButtons::Ok});
}

} // namespace teb
