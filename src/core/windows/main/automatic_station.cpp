#include "windows/main/automatic_station.h"

#include "windows/main/cqv58_dlg.h"

namespace teb {

void AutomaticStation::notify(const Notice &notice)
{
    m_track.notices.emplace_back(notice.text);
    m_window.showNotice(notice);
}

CarrierIdJournal &AutomaticStation::journal()
{
    if (!m_window.m_job.journal)
        throw JournalError(m_window.m_job.journalProblem);
    return *m_window.m_job.journal;
}

std::optional<std::string> AutomaticStation::readUid()
{
    m_track.uid = m_window.readUidForCycle();
    return m_track.uid;
}

PagesWritten AutomaticStation::writePages(const CycleOutcome &soFar, const std::string &uid)
{
    show(soFar); // the page boxes show what is written
    return m_window.writePagesForCycle(soFar.pages, uid);
}

int AutomaticStation::lockPages(const PageFlagArray &locked)
{
    const int errorCount = m_window.lockPagesForCycle(locked);
    m_track.programmed = errorCount == 0; // the last step on the tag
    return errorCount;
}

bool AutomaticStation::appendRecord(const CycleOutcome &programmed)
{
    show(programmed); // the record holds what the window shows
    return m_window.appendRecord();
}

void AutomaticStation::show(const CycleOutcome &soFar)
{
    m_window.takeCycleOutcome(soFar);
    m_window.showInControls();
    m_window.view().repaintWindow();
}

void AutomaticStation::enableAfterRecordFailure() { m_window.enableAfterRecordFailure(); }

void AutomaticStation::clearPageResultColours() { m_window.clearPageResultColours(); }

} // namespace teb
