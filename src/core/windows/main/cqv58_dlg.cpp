#include "windows/main/cqv58_dlg.h"

namespace teb {

CQV58Dlg::CQV58Dlg(CQV58DlgView &view, DialogHost &dialogs, DirectorySource currentDirectory)
    : m_view(view), m_parts(view, dialogs), m_currentDirectory(std::move(currentDirectory))
{
}

CQV58Dlg::DirectorySource CQV58Dlg::defaultDirectorySource()
{
    return [] {
        std::error_code error;
        std::filesystem::path directory = std::filesystem::current_path(error);
        return error ? std::filesystem::path() : directory;
    };
}

// --- keys and ways out

void CQV58Dlg::exit()
{
    m_parts.takeFromControls();
    m_view.endDialog(DialogResult::Ok);
}

void CQV58Dlg::cancelWindow() { m_view.endDialog(DialogResult::Cancel); }

void CQV58Dlg::focusOne()
{
    if (m_parts.run.defaultActionEnabled)
        m_view.setFocus(Control::OneButton);
}

void CQV58Dlg::closeWithPort()
{
    m_parts.link.close();
    m_view.endDialog(DialogResult::Cancel);
}

// --- ticks

void CQV58Dlg::tick500ms()
{
    m_parts.link.watch();
    RunState &run = m_parts.run;
    if (run.errorPending) {
        run.errorPending = false; // before the box: ticks go on while it is open
        showOkMessage(m_parts.dialogGate, run.errorText, kWindowTitle, MessageIcon::Stop);
    }
    m_parts.pages.serveFocusRequests();
}

} // namespace teb
