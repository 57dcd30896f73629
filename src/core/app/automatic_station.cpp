#include "app/automatic_station.h"

#include "app/cqv58_dlg.h"

namespace teb {

void AutomaticStation::notify(const Notice &notice) { m_window.showNotice(notice); }

std::optional<std::string> AutomaticStation::readUid() { return m_window.readUidForCycle(); }

PagesWritten AutomaticStation::writePages(const std::string &uid) { return m_window.writePagesForCycle(uid); }

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

void AutomaticStation::clearPageResultColours() { m_window.clearPageResultColours(); }

} // namespace teb
