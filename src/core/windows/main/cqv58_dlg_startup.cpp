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
    m_terminal.setShown(false); // hidden, menu item unchecked, narrow window
    m_view.setWindowSize(m_terminal.windowWidth(), kWindowHeight);

    m_job.setWorkingDirectory(m_currentDirectory());
    if (m_job.state().workingDirectory.empty())
        showOkMessage(m_dialogGate, std::string(kNoWorkingDirectoryText), kWindowTitle, MessageIcon::Stop);
    takeOverSettings(loadSettings(m_job.state().workingDirectory));
    m_manual.showLogFileName();
    m_job.loadCurrentSet();
    m_job.openJournal();
    m_job.resumeFromJournal();

    setUpControls(m_view);
    m_view.appendSystemMenuItem(std::string(kSystemMenuInfoText));
    m_view.setWindowTitle(std::string(kWindowTitle));
    m_link.open(m_job.state().workingDirectory);
    m_view.startTimer(kCycleTimerId, kCycleTimerPeriod);
    m_view.startTimer(kRequestTimerId, kRequestTimerPeriod);
    colourControls(m_view);
    showSwitchImages();
    showInControls();
    m_mode.refresh();
    m_job.showInterruptedCycles();
    m_job.showMissingRecords();
}

void CQV58Dlg::shutDown()
{
    takeFromControls();
    if (!saveSettings(m_job.state().workingDirectory, settingsToSave()))
        showOkMessage(m_dialogGate, std::string(kSettingsNotSavedText), kWindowTitle, MessageIcon::Stop);
    m_continuous.stop();
    m_view.stopTimer(kCycleTimerId);
    m_view.stopTimer(kRequestTimerId);
}

void CQV58Dlg::takeOverSettings(const StationSettings &settings)
{
    m_link.takeSettings(settings.interfaceSettings);
    m_pages.takeSettings(settings);
    m_job.takeSettings(settings);
    m_manual.takeSettings(settings);
}

StationSettings CQV58Dlg::settingsToSave() const
{
    StationSettings settings;
    settings.interfaceSettings = m_link.settings();
    m_pages.putSettings(settings);
    m_job.putSettings(settings);
    m_manual.putSettings(settings);
    return settings;
}

void CQV58Dlg::showSwitchImages()
{
    m_pages.showSwitchImages();
    m_manual.showSwitchImages();
    m_terminal.showTraceSwitch();
}

} // namespace teb
