// Automatic and manual mode: the controls each shows.
#include "windows/main/mode/mode_part.h"

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

void ModePart::switchTo(bool automatic)
{
    m_window.takeFromControls();
    m_parts.pages.setAutomaticMode(automatic);
    m_parts.pages.showModeSwitches();
    m_window.showInControls();
    refresh();
}

void ModePart::refresh()
{
    if (m_parts.pages.state().automaticMode)
        showAutomatic();
    else
        showManual();
}

void ModePart::showAutomatic()
{
    m_parts.pages.showAutomatic();
    m_parts.manual.setShown(false);
    setCarrierIdRangeActive(!m_parts.job.state().currentSet.useCsvFile && !m_parts.job.state().currentSet.useFixData);
    m_view.setEnabled(Control::OneButton, true);
    m_view.setEnabled(Control::ContOnButton, true);
    for (const Control id : kAutomaticOnlyControls)
        m_view.setVisible(id, true);
    m_parts.result.show(true);
    m_parts.result.showProgress(m_parts.job.state());
    m_parts.pages.showSet();
    m_window.showInControls();
}

void ModePart::showManual()
{
    m_parts.pages.showManual();
    m_parts.manual.setShown(true);
    setCarrierIdRangeActive(false);
    m_view.setEnabled(Control::OneButton, false);
    m_parts.continuous.stop();
    for (const Control id : kAutomaticOnlyControls)
        m_view.setVisible(id, false);
    m_parts.result.show(false);
}

// The "next" and "max" boxes with their spin buttons.
void ModePart::setCarrierIdRangeActive(bool active)
{
    for (const Control id : kCarrierIdRangeControls)
        m_view.setEnabled(id, active);
    const Rgb background = active ? colour::White : colour::GreyBackground;
    m_view.setBackground(Control::NextBox, background);
    m_view.setBackground(Control::MaxBox, background);
}

} // namespace teb
