#include "app/automatic_station.h"

#include "app/cqv58_dlg.h"

namespace teb {

void AutomaticStation::notify(const Notice &notice) { m_window.showNotice(notice); }

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

void AutomaticStation::enableAfterRecordFailure() { m_window.enableAfterRecordFailure(); }

} // namespace teb
