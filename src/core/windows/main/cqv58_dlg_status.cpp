// The status strip: port, reader, set and journal, shown after every event
// and whenever lines came from the reader.
#include "windows/main/cqv58_dlg.h"

#include "windows/main/station_status.h"

namespace teb {
namespace {

constexpr Rgb kStripBackground = colour::Black;
constexpr Rgb kGoodText = Rgb::fromComponents(80, 220, 120);
constexpr Rgb kQuietText = Rgb::fromComponents(150, 156, 162);
constexpr Rgb kBadBackground = Rgb::fromComponents(170, 20, 20);

} // namespace

void CQV58Dlg::showStatus()
{
    const std::pair<Control, StatusText> strip[] = {
        {Control::StatusPort, portStatus(m_link.interfaceSettings, m_link.portOpen)},
        {Control::StatusReader, readerStatus(m_link.readerActivity, m_link.interfaceSettings, m_link.portOpen)},
        {Control::StatusJob, jobStatus(m_job.currentSetName, m_job.journal ? m_job.journal->location() : std::string(),
                                       m_job.journal ? m_job.journal->serverName() : std::string())},
    };
    for (std::size_t i = 0; i < std::size(strip); ++i) {
        const auto &[control, status] = strip[i];
        if (m_statusShown[i] == status.text)
            continue; // after every event, also the 10 ms ticks: only what changed is drawn
        m_statusShown[i] = status.text;
        m_view.setText(control, status.text);
        const bool bad = status.tone == StatusText::Tone::Bad;
        m_view.setBackground(control, bad ? kBadBackground : kStripBackground);
        m_view.setTextColour(control, status.tone == StatusText::Tone::Good    ? kGoodText
                                      : status.tone == StatusText::Tone::Quiet ? kQuietText
                                                                               : colour::White);
    }
}

void CQV58Dlg::sayWhenPortClosed()
{
    if (!m_link.portOpen)
        showMessage(portClosedText(m_link.interfaceSettings.portName), kWindowTitle, MessageIcon::Warning);
}

} // namespace teb
