#include "windows/main/automatic_station.h"

#include "windows/main/cqv58_dlg.h"

namespace teb {

void AutomaticStation::notify(const Notice &notice)
{
    m_track.notices.emplace_back(notice.text);
    m_window.showNotice(notice);
}

std::optional<std::string> AutomaticStation::readUid()
{
    m_track.uid = m_window.readUidForCycle();
    return m_track.uid;
}

PagesWritten AutomaticStation::writePages(const std::string &uid) { return m_window.writePagesForCycle(uid); }

int AutomaticStation::lockPages()
{
    m_window.lockPages();
    m_track.programmed = m_window.errorCount == 0; // the last step on the tag
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
