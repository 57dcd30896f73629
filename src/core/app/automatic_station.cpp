#include "app/automatic_station.h"

#include "app/cqv58_dlg.h"

namespace teb {
namespace {

// What the window enables again when the record file fails.
constexpr Control kRecordFailureControls[] = {
    Control::TerminalInput, Control::SendButton, Control::NextBox, Control::NextSpin, Control::OneButton,
};

} // namespace

void AutomaticStation::notify(const Notice &notice)
{
    const MessageIcon icon = notice.level == NoticeLevel::Stop ? MessageIcon::Stop : MessageIcon::Warning;
    m_window.dialogs().showMessage(
        MessageRequest{std::string(notice.text), std::string(kWindowTitle), icon, MessageButtons::Ok});
}

int AutomaticStation::writePages()
{
    m_window.writePages();
    return m_window.errorCount;
}

int AutomaticStation::lockPages()
{
    m_window.lockPages();
    return m_window.errorCount;
}

bool AutomaticStation::appendRecord() { return m_window.appendRecord(); }

void AutomaticStation::takeFromControls() { m_window.takeFromControls(); }

void AutomaticStation::showInControls()
{
    m_window.showInControls();
    m_window.view().repaintWindow();
}

void AutomaticStation::enableAfterRecordFailure()
{
    for (const Control id : kRecordFailureControls)
        m_window.view().setEnabled(id, true);
    m_window.view().setMenuEnabled(MenuItem::FileExit, true);
    m_window.view().setMenuEnabled(MenuItem::HelpInfo, true);
}

} // namespace teb
