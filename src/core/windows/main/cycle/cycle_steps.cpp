// The automatic cycle's steps on the transponder and its record.
#include "windows/main/cycle/cycle_part.h"

namespace teb {

std::optional<std::string> CyclePart::readUid()
{
    m_run.errorCount = m_parts.reader.readUid().errorCount;
    m_window.showInControls();
    // A closed port reads nothing: the box still holds the last transponder's UID.
    if (!m_parts.link.portOpen() || m_run.errorCount != 0 || m_parts.pages.state().uidText.empty())
        return std::nullopt;
    return m_parts.pages.state().uidText;
}

// The job decides the family: an Orvex transponder takes writes only right
// after its UID, which must still be the one the carrier ID was reserved for.
PagesWritten CyclePart::writePages(const PageImage &pages, const PageDisplay::PageFlags &selection, const std::string &uid)
{
    m_window.takeFromControls();
    const PageOutcome outcome = m_parts.reader.writePages(pages, selection, m_window.writesWithUid(), uid);
    m_run.errorCount = outcome.errorCount;
    PagesWritten written{outcome.errorCount, outcome.reachedTag, outcome.refused, outcome.failedPage, std::nullopt};
    if (outcome.uidRead)
        written.uid = outcome.uid;
    return written;
}

int CyclePart::lockPages(const PageDisplay::PageFlags &locked)
{
    m_window.takeFromControls();
    m_run.errorCount = m_parts.reader.lockPages(locked).errorCount;
    return m_run.errorCount;
}

TagReading CyclePart::readTransponder(const PageDisplay::PageFlags &pages)
{
    m_window.takeFromControls();
    const TransponderReading reading = m_parts.reader.readTransponder(pages);
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

bool CyclePart::appendRecord() { return m_parts.job.appendRecord(m_parts.pages.recordEntry(true, false), m_run.wallClock); }

} // namespace teb
