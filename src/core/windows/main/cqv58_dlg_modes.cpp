// The main window's two modes.
#include "windows/main/cqv58_dlg.h"

#include <array>

namespace teb {
namespace {

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
    m_manual.setShown(false);
    setCarrierIdRangeActive(!m_job.state().currentSet.useCsvFile && !m_job.state().currentSet.useFixData);
    m_view.setEnabled(Control::OneButton, true);
    m_view.setEnabled(Control::ContOnButton, true);
    for (const Control id : kAutomaticOnlyControls)
        m_view.setVisible(id, true);
    m_result.show(true);
    m_result.showProgress(m_job.state());
    m_pages.showSet();
    showInControls();
}

void CQV58Dlg::refreshManualView()
{
    m_pages.showManual();
    m_manual.setShown(true);
    setCarrierIdRangeActive(false);
    m_view.setEnabled(Control::OneButton, false);
    m_continuous.stop();
    for (const Control id : kAutomaticOnlyControls)
        m_view.setVisible(id, false);
    m_result.show(false);
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

} // namespace teb
