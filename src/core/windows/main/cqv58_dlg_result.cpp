// A cycle's result as the window takes it: what went onto the tag, why it
// failed, and the set's count.
#include "windows/main/cqv58_dlg.h"

#include "automatic/cycle_messages.h"

namespace teb {

void CQV58Dlg::takeCycleResult(const CycleTrack &track, const std::optional<JournalEntry> &entry)
{
    CycleResult result;
    result.passed = track.programmed;
    result.uid = track.uid.value_or(std::string());
    if (entry)
        result.carrierId = entry->carrierId.empty() ? entryName(*entry) : entry->shownCarrierId();
    if (!result.passed)
        result.reason = failureReason(track, m_link.portOpen());
    else if (entry && entry->setName == m_job.state().currentSetName)
        ++m_job.state().programmedInSet;
    m_result.take(std::move(result), m_job.state(), m_pages.state().automaticMode);
}

} // namespace teb
