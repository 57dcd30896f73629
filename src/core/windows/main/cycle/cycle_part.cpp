// Automatic mode: "One", the 10 ms tick that runs the cycle, the protocol
// line after it, and the hidden commands of the CSV sources.
#include "windows/main/cycle/cycle_station.h"

#include "windows/main/cqv58_dlg_timers.h"
#include "automatic/automatic_messages.h"
#include "automatic/cycle_messages.h"
#include "automatic/page_placement.h"

namespace teb {

// "One": the cycle runs on the next tick. A press that reaches the window
// while a cycle runs, or that waited in its queue until the cycle ended, is
// dropped: an unlocked tag would otherwise get two consecutive IDs.
void CyclePart::one()
{
    if (m_oneHeldUntilTick)
        return;
    m_view.startTimer(kCycleTimerId, kCycleTimerPeriod);
    m_run.cycleRequested = true;
    m_run.errorCount = 0;
    m_parts.result.clear(m_parts.pages.state().automaticMode);
}

void CyclePart::tick()
{
    m_oneHeldUntilTick = false;
    if (!m_run.cycleRequested)
        return;
    m_run.cycleRequested = false;
    runOneCycle();
    m_oneHeldUntilTick = true;
}

void CyclePart::runOneCycle()
{
    if (m_step)
        m_step();
    else
        runAutomaticCycle();
    if (m_parts.job.takeRecordFailure())
        deferError(std::string(kRecordFileFailedText));
    ProtocolFileError protocolError;
    // One line per cycle, which the journal tells again: no sync of its own.
    if (!m_protocolFile.append(m_parts.job.state().workingDirectory, kOneProtocolLine, protocolError, ProtocolFile::Sync::Unsynced))
        deferError(protocolError.message());
    m_view.setFocus(Control::OneButton);
}

void CyclePart::deferError(std::string text)
{
    if (m_run.errorPending)
        return; // the first message waits for its box
    m_run.errorText = std::move(text);
    m_run.errorPending = true;
}

// The cycle, and what it came to for the operator: PASS or FAIL with its reason.
void CyclePart::runAutomaticCycle()
{
    m_parts.result.clear(m_parts.pages.state().automaticMode);
    m_parts.job.reopenJournalWhenClosed();
    CycleTrack track;
    Station station(*this, track);
    m_parts.watch.follow(&track);
    struct Unfollow {
        ReaderWatch &watch;
        ~Unfollow() { watch.follow(nullptr); }
    } unfollow{m_parts.watch};
    const CycleOutcome outcome = teb::runAutomaticCycle(cycleInput(), station);
    takeCycleOutcome(outcome);
    track.stopped = m_parts.operation.stopRequested();
    track.programmed = outcome.passed;
    track.cycleFailure = outcome.failure;
    track.dataRefused = outcome.dataRefused;
    takeCycleResult(track, outcome.entry);
}

// What the cycle came to for the operator: what went onto the tag, why it
// failed, and the set's count.
void CyclePart::takeCycleResult(const CycleTrack &track, const std::optional<JournalEntry> &entry)
{
    CycleResult result;
    result.passed = track.programmed;
    result.uid = track.uid.value_or(std::string());
    if (entry)
        result.carrierId = entry->carrierId.empty() ? entryName(*entry) : entry->shownCarrierId();
    if (!result.passed)
        result.reason = failureReason(track, m_parts.link.portOpen());
    else if (entry)
        m_parts.job.countProgrammed(*entry);
    m_parts.result.take(std::move(result), m_parts.job.state(), m_parts.pages.state().automaticMode);
}

bool CyclePart::runContinuous()
{
    m_parts.result.clear(m_parts.pages.state().automaticMode);
    runOneCycle();
    return m_parts.result.passed();
}

void CyclePart::runThrough(CycleStation &station)
{
    m_run.errorCount = 0;
    takeCycleOutcome(teb::runAutomaticCycle(cycleInput(), station));
}

CycleOutcome CyclePart::finish(const JournalEntry &unfinished, CycleTrack &track)
{
    Station station(*this, track, false);
    const CycleOutcome outcome = finishFromTransponder(cycleInput(), unfinished, station);
    takeCycleOutcome(outcome);
    m_window.showInControls();
    return outcome;
}

// The pages as the boxes show them; a box that holds no eight bytes gives the set's.
PageImage CyclePart::pagesForPlacement() const
{
    return m_parts.pages.image(setPageCells(m_parts.job.state().currentSet));
}

CycleInput CyclePart::cycleInput() const
{
    return CycleInput{m_parts.job.state().currentSet,
                      pagesForPlacement(),
                      m_parts.pages.state().pageSelected,
                      cycleNumbersOf(m_parts.job.state().currentSet, m_parts.job.state().carrierIdMax),
                      m_parts.job.csvFile(),
                      m_parts.job.state().csvSource,
                      m_parts.job.cycleJournal()};
}

void CyclePart::takeCycleOutcome(const CycleOutcome &outcome)
{
    m_parts.job.takeCycleOutcome(outcome);
    m_parts.pages.showPlaced(outcome.pages);
    if (outcome.errorCount)
        m_run.errorCount = *outcome.errorCount;
    if (outcome.focusPage)
        m_parts.pages.requestFocus(static_cast<std::size_t>(*outcome.focusPage));
}

void CyclePart::showNotice(const Notice &notice)
{
    showOkMessage(m_dialogs, std::string(notice.text), kWindowTitle,
                  notice.level == NoticeLevel::Stop ? MessageIcon::Stop : MessageIcon::Warning);
}

// The hidden commands of the CSV sources.
void CyclePart::csvCommand(Control id)
{
    m_window.takeFromControls();
    CycleTrack track; // these commands are no cycle of their own
    Station station(*this, track);
    std::optional<TakenRow> taken;
    switch (id) {
    case Control::NextDataSetButton: taken = nextDataSet(m_parts.job.csvFile(), m_parts.job.state().currentSet, pagesForPlacement(), station); break;
    case Control::NextCompleteButton: taken = nextComplete(m_parts.job.csvFile(), pagesForPlacement(), station); break;
    case Control::CurrentDataSetProcessedButton: m_parts.job.markCsvRow(CsvFormat::Simple); break;
    case Control::NextCompleteProcessedButton: m_parts.job.markCsvRow(CsvFormat::Complete); break;
    default: break;
    }
    if (id == Control::NextDataSetButton || id == Control::NextCompleteButton)
        m_run.errorCount = taken ? 0 : 1;
    if (taken)
        takeRow(*taken);
    m_window.showInControls();
}

void CyclePart::takeRow(const TakenRow &taken)
{
    m_parts.job.takeRow(taken);
    m_parts.pages.showPlaced(taken.image);
}

} // namespace teb
