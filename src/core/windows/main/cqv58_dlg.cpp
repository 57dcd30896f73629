#include "windows/main/cqv58_dlg.h"

namespace teb {

CQV58Dlg::CQV58Dlg(CQV58DlgView &view, DialogHost &dialogs, DirectorySource currentDirectory)
    : m_view(view), m_dialogGate(dialogs), m_currentDirectory(std::move(currentDirectory)),
      m_job(m_dialogGate, m_link,
            {[this] { takeFromControls(); }, [this] { showInControls(); },
             [this] { return m_cycle.pagesForPlacement(); },
             [this](const PageImage &pages) { m_pages.showPlaced(pages); },
             [this] { return m_manual.readUid(); },
             [this] { return m_cycle.readUid(); },
             [this](const JournalEntry &unfinished, CycleTrack &track) { return m_cycle.finish(unfinished, track); }})
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

void CQV58Dlg::takeFromControls()
{
    // The terminal view is read-only: the window's text is the one it holds.
    m_terminal.takeInput();
    m_pages.takeFromControls();
    m_job.takeFromControls(m_view);
    m_manual.takeFromControls();
}

void CQV58Dlg::showInControls()
{
    m_terminal.showInput();
    m_terminal.showText();
    m_pages.showInControls();
    m_job.showInControls(m_view);
    m_manual.showInControls();
}

// --- menu commands

void CQV58Dlg::clearTerminal()
{
    takeFromControls();
    m_terminal.clear();
    showInControls();
}

// --- keys and ways out

void CQV58Dlg::exit()
{
    takeFromControls();
    m_view.endDialog(DialogResult::Ok);
}

void CQV58Dlg::cancelWindow() { m_view.endDialog(DialogResult::Cancel); }

void CQV58Dlg::focusOne()
{
    if (m_run.defaultActionEnabled)
        m_view.setFocus(Control::OneButton);
}

void CQV58Dlg::closeWithPort()
{
    m_link.close();
    m_view.endDialog(DialogResult::Cancel);
}


// --- ticks

void CQV58Dlg::tick500ms()
{
    m_link.watch();
    if (m_run.errorPending) {
        m_run.errorPending = false; // before the box: ticks go on while it is open
        showOkMessage(m_dialogGate, m_run.errorText, kWindowTitle, MessageIcon::Stop);
    }
    m_pages.serveFocusRequests();
}

// The status strip, after every event and whenever lines came from the reader.
void CQV58Dlg::showStatus()
{
    const JobState &job = m_job.state();
    m_link.showStatus({job.currentSetName, job.journal ? job.journal->location() : std::string(),
                       job.journal ? job.journal->serverName() : std::string()});
}

} // namespace teb
