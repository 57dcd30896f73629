#include "windows/main/automatic_station.h"

#include "windows/main/record_failure_controls.h"
#include "automatic/automatic_messages.h"

namespace teb {

void CQV58Dlg::AutomaticStation::notify(const Notice &notice)
{
    m_track.notices.emplace_back(notice.text);
    if (!m_boxes)
        return;
    // No UID from a closed port: the operator needs the port, not the antenna.
    if (notice.text == notice::kUidNotRead.text && !m_window.m_link.portOpen())
        m_window.m_link.sayWhenClosed();
    else
        m_window.showNotice(notice);
}

CarrierIdJournal &CQV58Dlg::AutomaticStation::journal()
{
    return m_window.m_job.journal();
}

std::optional<std::string> CQV58Dlg::AutomaticStation::readUid()
{
    m_track.uid = m_window.readUidForCycle();
    return m_track.uid;
}

PagesWritten CQV58Dlg::AutomaticStation::writePages(const CycleOutcome &soFar, const PageImage &image,
                                          const PageFlagArray &pages, const std::string &uid)
{
    show(soFar); // the page boxes show what is written
    return m_window.writePagesForCycle(image, pages, uid);
}

int CQV58Dlg::AutomaticStation::lockPages(const PageFlagArray &locked) { return m_window.lockPagesForCycle(locked); }

TagReading CQV58Dlg::AutomaticStation::readTransponder(const PageFlagArray &pages)
{
    return m_window.readTransponderForCycle(pages);
}

bool CQV58Dlg::AutomaticStation::appendRecord(const CycleOutcome &programmed)
{
    show(programmed); // the record holds what the window shows
    return m_window.appendRecord();
}

void CQV58Dlg::AutomaticStation::show(const CycleOutcome &soFar)
{
    m_window.takeCycleOutcome(soFar);
    m_window.showInControls();
    m_window.view().repaintWindow();
}

void CQV58Dlg::AutomaticStation::enableAfterRecordFailure() { teb::enableAfterRecordFailure(m_window.view()); }

void CQV58Dlg::AutomaticStation::clearPageResultColours() { m_window.m_pages.clearResultColours(); }

} // namespace teb
