// Start-up and the ways out of the main window: settings file, current
// parameter set, port, timers, colours and images.
#include "windows/main/cqv58_dlg.h"

#include "windows/main/cqv58_dlg_timers.h"
#include "windows/main/window_setup.h"

#include "params/parameter_set_file.h"
#include "transponder/page_text.h"

namespace teb {

void CQV58Dlg::startUp()
{
    m_parts.terminal.setShown(false); // hidden, menu item unchecked, narrow window
    m_view.setWindowSize(m_parts.terminal.windowWidth(), kWindowHeight);

    m_parts.job.setWorkingDirectory(m_currentDirectory());
    if (m_parts.job.state().workingDirectory.empty())
        showOkMessage(m_parts.dialogGate, std::string(kNoWorkingDirectoryText), kWindowTitle, MessageIcon::Stop);
    m_parts.takeOverSettings(loadSettings(m_parts.job.state().workingDirectory));
    m_parts.manual.showLogFileName();
    m_parts.job.loadCurrentSet();
    m_parts.job.openJournal();
    m_parts.job.resumeFromJournal();

    setUpControls(m_view);
    m_view.appendSystemMenuItem(std::string(kSystemMenuInfoText));
    m_view.setWindowTitle(std::string(kWindowTitle));
    m_parts.link.open(m_parts.job.state().workingDirectory);
    m_view.startTimer(kCycleTimerId, kCycleTimerPeriod);
    m_view.startTimer(kRequestTimerId, kRequestTimerPeriod);
    colourControls(m_view);
    m_parts.showSwitchImages();
    m_parts.showInControls();
    m_parts.mode.refresh();
    m_parts.job.showInterruptedCycles();
    m_parts.job.showMissingRecords();
}

void CQV58Dlg::shutDown()
{
    m_parts.takeFromControls();
    if (!saveSettings(m_parts.job.state().workingDirectory, m_parts.settingsToSave()))
        showOkMessage(m_parts.dialogGate, std::string(kSettingsNotSavedText), kWindowTitle, MessageIcon::Stop);
    m_parts.continuous.stop();
    m_view.stopTimer(kCycleTimerId);
    m_view.stopTimer(kRequestTimerId);
}

} // namespace teb
