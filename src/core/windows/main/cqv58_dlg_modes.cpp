// The main window's two modes and the manual group's switches.
#include "windows/main/cqv58_dlg.h"

#include <array>

namespace teb {
namespace {

// Every control of the manual group below its frame and title.
constexpr std::array kManualGroupControls = {
    Control::ReadButton, Control::WriteButton, Control::LockButton, Control::DefaultMemoryButton,
    Control::LabelManualCarrierIdOffset, Control::ManualCarrierIdOffsetBox,
    Control::LabelManualCarrierIdLength, Control::ManualCarrierIdLengthBox,
    Control::LabelManualCarrierId, Control::ManualCarrierIdBox,
    Control::ReadCarrierIdButton, Control::WriteCarrierIdButton,
    Control::ReadUidButton, Control::UidBox,
    Control::LabelTransponderType, Control::LabelTi, Control::TiSwitch, Control::LabelOrvex, Control::OrvexSwitch,
    Control::LabelLog, Control::LogSwitch, Control::LogFileLabel, Control::OpenButton,
};

// What automatic mode shows and manual mode hides.
constexpr std::array kAutomaticOnlyControls = {
    Control::SetNameLabel, Control::NextBox, Control::MaxBox, Control::NextSpin, Control::MaxSpin,
    Control::OneButton, Control::LabelCarrierId, Control::LabelNext, Control::LabelMax, Control::ContOnButton,
    Control::ProgressLabel, Control::StopButton,
};

constexpr std::array kCarrierIdRangeControls = {
    Control::NextBox, Control::MaxBox, Control::NextSpin, Control::MaxSpin,
};

} // namespace

// --- modes

void CQV58Dlg::switchToAutomatic() { switchMode(true); }
void CQV58Dlg::switchToManual() { switchMode(false); }

// A click on the mode already active runs the same steps.
void CQV58Dlg::switchMode(bool automatic)
{
    takeFromControls();
    m_pages.setAutomaticMode(automatic);
    m_pages.showModeSwitches();
    showInControls();
    refreshModeView();
}

void CQV58Dlg::refreshModeView()
{
    if (m_pages.state().automaticMode)
        refreshAutomaticView();
    else
        refreshManualView();
}

void CQV58Dlg::refreshAutomaticView()
{
    m_pages.showAutomatic();
    setManualGroupShown(false);
    setCarrierIdRangeActive(!m_job.currentSet.useCsvFile && !m_job.currentSet.useFixData);
    m_view.setEnabled(Control::OneButton, true);
    m_view.setEnabled(Control::ContOnButton, true);
    for (const Control id : kAutomaticOnlyControls)
        m_view.setVisible(id, true);
    m_result.show(true);
    m_result.showProgress(m_job);
    m_pages.showSet();
    showInControls();
}

void CQV58Dlg::refreshManualView()
{
    m_pages.showManual();
    setManualGroupShown(true);
    setCarrierIdRangeActive(false);
    m_view.setEnabled(Control::OneButton, false);
    m_continuous.stop();
    for (const Control id : kAutomaticOnlyControls)
        m_view.setVisible(id, false);
    m_result.show(false);
}

void CQV58Dlg::setManualGroupShown(bool shown)
{
    for (const Control id : kManualGroupControls) {
        m_view.setEnabled(id, shown);
        m_view.setVisible(id, shown);
    }
}

// The "next" and "max" boxes with their spin buttons.
void CQV58Dlg::setCarrierIdRangeActive(bool active)
{
    for (const Control id : kCarrierIdRangeControls)
        m_view.setEnabled(id, active);
    const Rgb background = active ? colour::White : colour::GreyBackground;
    m_view.setBackground(Control::NextBox, background);
    m_view.setBackground(Control::MaxBox, background);
}

// --- manual group switches

void CQV58Dlg::tiClicked()
{
    takeFromControls(); // the click has already changed the TI switch's check state
    m_manual.manualTypeOrvex = !m_manual.manualTypeTi;
    showFamilySwitches();
    showInControls();
}

void CQV58Dlg::orvexClicked()
{
    takeFromControls();
    m_manual.manualTypeTi = !m_manual.manualTypeOrvex;
    showFamilySwitches();
    showInControls();
}

void CQV58Dlg::showFamilySwitches()
{
    m_view.setSwitchImage(Control::TiSwitch, m_manual.manualTypeTi);
    m_view.setSwitchImage(Control::OrvexSwitch, m_manual.manualTypeOrvex);
}

void CQV58Dlg::logClicked()
{
    takeFromControls();
    if (!m_manual.manualLog) {
        m_view.setSwitchImage(Control::LogSwitch, false);
        showInControls();
        showLogFileName();
    } else {
        m_view.setSwitchImage(Control::LogSwitch, true);
    }
    disableDefaultAction();
}

} // namespace teb
