// Automatic mode's result for an operator a metre away: PASS or FAIL in large
// type, what went onto the tag, why a cycle failed, and the job's progress.
#include "windows/main/cqv58_dlg.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/cycle_messages.h"

namespace teb {
namespace {

constexpr Rgb kPassBackground = Rgb::fromComponents(0, 150, 60);
constexpr Rgb kFailBackground = Rgb::fromComponents(200, 20, 20);
constexpr Rgb kReasonText = Rgb::fromComponents(255, 120, 110);
constexpr Rgb kPassedColour = Rgb::fromComponents(80, 220, 120);
constexpr std::string_view kPassedText = "read back as written, confirmed in the journal";

} // namespace

void CQV58Dlg::takeCycleResult(const CycleTrack &track, const std::optional<JournalEntry> &entry)
{
    CycleResult result;
    result.passed = track.programmed;
    result.uid = track.uid.value_or(std::string());
    if (entry)
        result.carrierId = entry->carrierId.empty() ? entryName(*entry) : entry->shownCarrierId();
    if (!result.passed)
        result.reason = failureReason(track, m_link.portOpen());
    else if (entry && entry->setName == m_job.currentSetName)
        ++m_job.programmedInSet;
    if (!result.passed && !m_job.silentFail)
        m_view.beep();
    m_job.lastCycleResult = std::move(result);
    showCycleResult();
    showProgress();
}

// A new "One": the last transponder's verdict must not stand for this one.
void CQV58Dlg::clearCycleResult()
{
    m_job.lastCycleResult.reset();
    showCycleResult();
}

void CQV58Dlg::showCycleResult()
{
    const bool shown = m_pages.automaticMode && m_job.lastCycleResult;
    for (const Control id : {Control::ResultVerdict, Control::ResultIdentity, Control::ResultReason})
        m_view.setVisible(id, shown);
    if (!m_job.lastCycleResult)
        return;
    const CycleResult &result = *m_job.lastCycleResult;
    m_view.setText(Control::ResultVerdict, result.passed ? "PASS" : "FAIL");
    m_view.setBackground(Control::ResultVerdict, result.passed ? kPassBackground : kFailBackground);
    m_view.setText(Control::ResultIdentity, resultIdentity(result));
    m_view.setText(Control::ResultReason, result.passed ? std::string(kPassedText) : result.reason);
    m_view.setTextColour(Control::ResultReason, result.passed ? kPassedColour : kReasonText);
}

// Fixed data counts its job; the other sources count every transponder of the set.
void CQV58Dlg::showProgress()
{
    const bool fixedData = !m_job.currentSet.useCsvFile && !m_job.currentSet.csvFileComplete && !m_job.currentSet.useDecimalCounter;
    m_view.setText(Control::ProgressLabel,
                   progressText(fixedData ? m_job.programmedCount : m_job.programmedInSet, readCounter(m_job.currentSet.quantity)));
}

} // namespace teb
