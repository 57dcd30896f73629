// The automatic cycle's steps on the transponder and its record, as the
// main window runs them.
#include "windows/main/cqv58_dlg.h"

#include "records/record_files.h"

namespace teb {

void CQV58Dlg::readUid() { m_run.errorCount = m_reader.readUid().errorCount; }

std::optional<std::string> CQV58Dlg::readUidForCycle()
{
    readUid();
    showInControls();
    // A closed port reads nothing: the box still holds the last transponder's UID.
    if (!m_link.portOpen() || m_run.errorCount != 0 || m_pages.state().uidText.empty())
        return std::nullopt;
    return m_pages.state().uidText;
}

// The job decides the family: an Orvex transponder takes writes only right
// after its UID, which must still be the one the carrier ID was reserved for.
PagesWritten CQV58Dlg::writePagesForCycle(const PageImage &pages, const PageFlags &selection, const std::string &uid)
{
    takeFromControls();
    const PageOutcome outcome = m_reader.writePages(pages, selection, m_manual.writesWithUid(), uid);
    m_run.errorCount = outcome.errorCount;
    PagesWritten written{outcome.errorCount, outcome.reachedTag, outcome.refused, outcome.failedPage, std::nullopt};
    if (outcome.uidRead)
        written.uid = outcome.uid;
    return written;
}

int CQV58Dlg::lockPagesForCycle(const PageFlags &locked)
{
    takeFromControls();
    m_run.errorCount = m_reader.lockPages(locked).errorCount;
    return m_run.errorCount;
}

TagReading CQV58Dlg::readTransponderForCycle(const PageFlags &pages)
{
    takeFromControls();
    const TransponderReading reading = m_reader.readTransponder(pages);
    TagReading tag;
    if (reading.uidRead)
        tag.uid = reading.outcome.uid;
    for (int page = 1; page <= kPageCount; ++page) {
        const auto i = static_cast<std::size_t>(page - 1);
        if (reading.outcome.read[i])
            tag.pages[i] = reading.outcome.cells.page(page);
    }
    return tag;
}

// Every cycle reads the UID first, whatever the family: the record holds it.
// Synced: an unsynced workbook may come back from a power cut empty or cut
// short, and the next append then starts it afresh or refuses it for good.
bool CQV58Dlg::appendRecord()
{
    JobState &job = m_job.state();
    return records::appended(records::appendRecord(records::workbookPath(job.workingDirectory, job.currentSet.recordFileName),
                                                   m_pages.recordEntry(true, false), job.currentSetName, job.currentSet,
                                                   job.jobHeaderPending, m_run.wallClock));
}

} // namespace teb
