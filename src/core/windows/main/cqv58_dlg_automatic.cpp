// Automatic mode: "One", the 10 ms tick that runs the cycle and the protocol
// line after it.
#include "windows/main/cqv58_dlg.h"

#include "windows/main/automatic_station.h"
#include "automatic/automatic_cycle.h"
#include "automatic/automatic_messages.h"
#include "automatic/page_placement.h"

namespace teb {

// "One": the cycle runs on the next tick. A press that reaches the window
// while a cycle runs, or that waited in its queue until the cycle ended, is
// dropped: an unlocked tag would otherwise get two consecutive IDs.
void CQV58Dlg::one()
{
    if (m_oneHeldUntilTick)
        return;
    m_view.startTimer(kCycleTimerId, kCycleTimerPeriod);
    m_run.cycleRequested = true;
    m_run.errorCount = 0;
    m_result.clear(m_pages.state().automaticMode);
}

void CQV58Dlg::tick10ms()
{
    m_oneHeldUntilTick = false;
    if (!m_run.cycleRequested)
        return;
    m_run.cycleRequested = false;
    runOneCycle();
    m_oneHeldUntilTick = true;
}

void CQV58Dlg::runOneCycle()
{
    if (m_cycleStep)
        m_cycleStep();
    else
        runAutomaticCycle();
    if (m_job.state().recordFailed) {
        deferError(std::string(kRecordFileFailedText));
        m_job.state().recordFailed = false;
    }
    ProtocolFileError protocolError;
    // One line per cycle, which the journal tells again: no sync of its own.
    if (!m_protocolFile.append(m_job.state().workingDirectory, kOneProtocolLine, protocolError, ProtocolFile::Sync::Unsynced))
        deferError(protocolError.message());
    m_view.setFocus(Control::OneButton);
}

void CQV58Dlg::deferError(std::string text)
{
    if (m_run.errorPending)
        return; // the first message waits for its box
    m_run.errorText = std::move(text);
    m_run.errorPending = true;
}

// The cycle, and what it came to for the operator: PASS or FAIL with its reason.
void CQV58Dlg::runAutomaticCycle()
{
    m_result.clear(m_pages.state().automaticMode);
    m_job.reopenJournalWhenClosed();
    CycleTrack track;
    AutomaticStation station(*this, track);
    m_readerWatch.follow(&track);
    struct Unfollow {
        ReaderWatch &watch;
        ~Unfollow() { watch.follow(nullptr); }
    } unfollow{m_readerWatch};
    const CycleOutcome outcome = teb::runAutomaticCycle(cycleInput(), station);
    takeCycleOutcome(outcome);
    track.stopped = m_operation.stopRequested();
    track.programmed = outcome.passed;
    track.cycleFailure = outcome.failure;
    track.dataRefused = outcome.dataRefused;
    takeCycleResult(track, outcome.entry);
}

bool CQV58Dlg::runContinuousCycle()
{
    m_result.clear(m_pages.state().automaticMode);
    runOneCycle();
    return m_result.passed();
}

void CQV58Dlg::runCycleThrough(CycleStation &station)
{
    m_run.errorCount = 0;
    takeCycleOutcome(teb::runAutomaticCycle(cycleInput(), station));
}

// The pages as the boxes show them; a box that holds no eight bytes gives the set's.
PageImage CQV58Dlg::pagesForPlacement() const
{
    return m_pages.image(setPageCells(m_job.state().currentSet));
}

CsvFile CQV58Dlg::csvFile() const
{
    const JobState &job = m_job.state();
    return csvFileOf(job.currentSet, job.csvDelimiter, job.workingDirectory);
}

CycleInput CQV58Dlg::cycleInput() const
{
    return CycleInput{m_job.state().currentSet,
                      pagesForPlacement(),
                      m_pages.state().pageSelected,
                      cycleNumbersOf(m_job.state().currentSet, m_job.state().carrierIdMax),
                      csvFile(),
                      m_job.state().csvSource,
                      m_job.cycleJournal()};
}

// Placed pages show their bytes, and the set holds them.
void CQV58Dlg::takePlacedPages(const PageImage &pages)
{
    storePlacedPages(m_job.state().currentSet, pages);
    m_pages.showPlaced(pages);
}

void CQV58Dlg::takeCycleOutcome(const CycleOutcome &outcome)
{
    m_job.state().currentSet = outcome.set;
    takePlacedPages(outcome.pages);
    if (outcome.nextCarrierId)
        m_job.state().nextCarrierId = *outcome.nextCarrierId;
    if (outcome.programmedCount)
        m_job.state().programmedCount = *outcome.programmedCount;
    m_job.state().csvSource = outcome.csvState;
    if (outcome.errorCount)
        m_run.errorCount = *outcome.errorCount;
    m_job.state().recordFailed = m_job.state().recordFailed || outcome.recordFailed;
    if (outcome.focusPage)
        m_pages.requestFocus(static_cast<std::size_t>(*outcome.focusPage));
}

void CQV58Dlg::showNotice(const Notice &notice)
{
    showMessage(std::string(notice.text), kWindowTitle,
                notice.level == NoticeLevel::Stop ? MessageIcon::Stop : MessageIcon::Warning);
}

// The hidden commands of the CSV sources.
void CQV58Dlg::csvCommand(Control id)
{
    takeFromControls();
    CycleTrack track; // these commands are no cycle of their own
    AutomaticStation station(*this, track);
    std::optional<TakenRow> taken;
    switch (id) {
    case Control::NextDataSetButton: taken = nextDataSet(csvFile(), m_job.state().currentSet, pagesForPlacement(), station); break;
    case Control::NextCompleteButton: taken = nextComplete(csvFile(), pagesForPlacement(), station); break;
    case Control::CurrentDataSetProcessedButton: markRowInPages(csvFile(), CsvFormat::Simple, m_job.state().csvSource); break;
    case Control::NextCompleteProcessedButton: markRowInPages(csvFile(), CsvFormat::Complete, m_job.state().csvSource); break;
    default: break;
    }
    if (id == Control::NextDataSetButton || id == Control::NextCompleteButton)
        m_run.errorCount = taken ? 0 : 1;
    if (taken)
        takeRow(*taken);
    showInControls();
}

void CQV58Dlg::takeRow(const TakenRow &taken)
{
    takePlacedPages(taken.image);
    for (std::size_t i = 0; taken.locks && i < m_job.state().currentSet.pages.size(); ++i)
        m_job.state().currentSet.pages[i].locked = (*taken.locks)[i];
    m_job.state().currentSet.carrierId = taken.carrierId;
    m_job.state().nextCarrierId = taken.carrierId;
    m_job.state().csvSource.rowInPages = taken.row;
}

} // namespace teb
