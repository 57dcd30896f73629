#include "windows/main/cycle/cycle_station.h"

#include "windows/main/record_failure_controls.h"
#include "automatic/automatic_messages.h"

namespace teb {

void CyclePart::Station::notify(const Notice &notice)
{
    m_track.notices.emplace_back(notice.text);
    if (!m_boxes)
        return;
    // No UID from a closed port: the operator needs the port, not the antenna.
    if (notice.text == notice::kUidNotRead.text && !m_cycle.m_parts.link.portOpen())
        m_cycle.m_parts.link.sayWhenClosed();
    else
        m_cycle.showNotice(notice);
}

CarrierIdJournal &CyclePart::Station::journal() { return m_cycle.m_parts.job.journal(); }

std::optional<std::string> CyclePart::Station::readUid()
{
    m_track.uid = m_cycle.readUid();
    return m_track.uid;
}

PagesWritten CyclePart::Station::writePages(const CycleOutcome &soFar, const PageImage &image, const PageFlagArray &pages,
                                            const std::string &uid)
{
    show(soFar); // the page boxes show what is written
    return m_cycle.writePages(image, pages, uid);
}

int CyclePart::Station::lockPages(const PageFlagArray &locked) { return m_cycle.lockPages(locked); }

TagReading CyclePart::Station::readTransponder(const PageFlagArray &pages) { return m_cycle.readTransponder(pages); }

bool CyclePart::Station::appendRecord(const CycleOutcome &programmed)
{
    show(programmed); // the record holds what the window shows
    return m_cycle.appendRecord();
}

void CyclePart::Station::show(const CycleOutcome &soFar)
{
    m_cycle.takeCycleOutcome(soFar);
    m_cycle.m_window.showInControls();
    m_cycle.m_view.repaintWindow();
}

void CyclePart::Station::enableAfterRecordFailure() { teb::enableAfterRecordFailure(m_cycle.m_view); }

void CyclePart::Station::clearPageResultColours() { m_cycle.m_parts.pages.clearResultColours(); }

} // namespace teb
