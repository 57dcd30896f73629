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

PagesWritten AutomaticStation::writePages(const PageImage &pages, const std::string &uid)
{
    return m_window.writePagesForCycle(pages, uid);
}

int AutomaticStation::lockPages(const PageFlagArray &locked)
{
    const int errorCount = m_window.lockPagesForCycle(locked);
    m_track.programmed = errorCount == 0; // the last step on the tag
    return errorCount;
}

bool AutomaticStation::appendRecord() { return m_window.appendRecord(); }

void AutomaticStation::show(const CycleOutcome &soFar)
{
    m_window.takeCycleOutcome(soFar);
    m_window.showInControls();
    m_window.view().repaintWindow();
}

void AutomaticStation::enableAfterRecordFailure() { m_window.enableAfterRecordFailure(); }

void AutomaticStation::clearPageResultColours() { m_window.clearPageResultColours(); }

} // namespace teb
