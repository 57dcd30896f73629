// Start-up and the ways out of the main window: settings file, current
// parameter set, port, timers, colours and images.
#include "windows/main/cqv58_dlg.h"

#include "params/parameter_set_file.h"
#include "transponder/page_text.h"

namespace teb {

void CQV58Dlg::startUp()
{
    m_terminal.setShown(false); // hidden, menu item unchecked, narrow window
    m_view.setWindowSize(m_terminal.windowWidth(), kWindowHeight);

    m_job.state().workingDirectory = m_currentDirectory();
    if (m_job.state().workingDirectory.empty())
        showMessage(std::string(kNoWorkingDirectoryText), kWindowTitle, MessageIcon::Stop);
    takeOverSettings(loadSettings(m_job.state().workingDirectory));
    m_manual.showLogFileName();
    m_job.state().currentSet = loadParameterSet(m_job.state().workingDirectory, m_job.state().currentSetName);
    m_job.openJournal();
    m_job.resumeFromJournal();

    setUpControls();
    m_view.appendSystemMenuItem(std::string(kSystemMenuInfoText));
    m_view.setWindowTitle(std::string(kWindowTitle));
    m_link.open(m_job.state().workingDirectory);
    m_view.startTimer(kCycleTimerId, kCycleTimerPeriod);
    m_view.startTimer(kRequestTimerId, kRequestTimerPeriod);
    colourControls();
    showSwitchImages();
    showInControls();
    refreshModeView();
    m_job.showInterruptedCycles();
    m_job.showMissingRecords();
}

void CQV58Dlg::shutDown()
{
    takeFromControls();
    if (!saveSettings(m_job.state().workingDirectory, settingsToSave()))
        showMessage(std::string(kSettingsNotSavedText), kWindowTitle, MessageIcon::Stop);
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

// The controls as the window is built: fixed texts and the buttons that start
// disabled. The data-source commands and the default and cancel buttons have
// no widget, so there is nothing to hide.
void CQV58Dlg::setUpControls()
{
    for (std::size_t i = 0; i < controlCount(); ++i) {
        const ControlInfo &info = controlInfo(controlAt(i));
        if (!info.caption.empty() && controlAccepts(info.kind, ControlOperation::Text))
            m_view.setText(info.id, std::string(info.caption));
    }
    m_view.setEnabled(Control::ContOnButton, false);
    m_view.setEnabled(Control::StopButton, false); // until an operation waits for the reader
    m_view.setVisible(Control::TraceView, false);
    m_view.setEnabled(Control::OpenButton, false);
}

void CQV58Dlg::colourControls()
{
    for (std::size_t i = 0; i < controlCount(); ++i) {
        const ControlInfo &info = controlInfo(controlAt(i));
        if (info.kind != ControlKind::Label || info.id == Control::LogFileLabel)
            continue;
        m_view.setTextColour(info.id, colour::White);
        m_view.setBackground(info.id, colour::Black);
    }
    for (int page = 1; page <= kPageCount; ++page)
        m_view.setBackground(pageBox(page), colour::White);
    for (const Control box : {Control::ManualCarrierIdOffsetBox, Control::ManualCarrierIdLengthBox,
                              Control::ManualCarrierIdBox, Control::NextBox, Control::MaxBox, Control::UidBox})
        m_view.setBackground(box, colour::White);
}

void CQV58Dlg::showSwitchImages()
{
    m_pages.showSwitchImages();
    m_manual.showSwitchImages();
    m_terminal.showTraceSwitch();
}

} // namespace teb
