// Automatic mode: "One", the 10 ms tick that runs the cycle and the protocol
// line after it.
#include "windows/main/cqv58_dlg.h"

#include "windows/main/automatic_station.h"
#include "automatic/automatic_cycle.h"
#include "automatic/automatic_messages.h"

namespace teb {

// "One": the cycle runs on the next tick. A press that reaches the window
// while a cycle runs, or that waited in its queue until the cycle ended, is
// dropped: an unlocked tag would otherwise get two consecutive IDs.
void CQV58Dlg::one()
{
    if (m_oneHeldUntilTick)
        return;
    m_view.startTimer(kCycleTimerId, kCycleTimerPeriod);
    cycleRequested = true;
    errorCount = 0;
}

void CQV58Dlg::tick10ms()
{
    m_oneHeldUntilTick = false;
    if (!cycleRequested)
        return;
    cycleRequested = false;
    runOneCycle();
    m_oneHeldUntilTick = true;
}

void CQV58Dlg::runOneCycle()
{
    if (m_cycleStep)
        m_cycleStep();
    else
        runAutomaticCycle();
    if (recordFailed) {
        deferError(std::string(recordFileFailedText));
        recordFailed = false;
    }
    ProtocolFileError protocolError;
    // One line per cycle, which the journal tells again: no sync of its own.
    if (!m_protocolFile.append(workingDirectory, kOneProtocolLine, protocolError, ProtocolFile::Sync::Unsynced))
        deferError(protocolError.message());
    m_view.setFocus(Control::OneButton);
}

void CQV58Dlg::deferError(std::string text)
{
    if (errorPending)
        return; // the first message waits for its box
    errorText = std::move(text);
    errorPending = true;
}

// The cycle, and what it came to for the operator: PASS or FAIL with its reason.
void CQV58Dlg::runAutomaticCycle()
{
    CycleTrack track;
    AutomaticStation station(*this, track);
    CycleFields fields{DataSourceFields{currentSet, pageText, asciiFormat, nextCarrierId, csvDelimiter, workingDirectory},
                       pageSelected, carrierIdMax, programmedCount, errorCount, recordFailed, pageFocusRequest,
                       csvSource, uidText, cycleJournal()};
    m_readerWatch.follow(&track);
    struct Unfollow {
        ReaderWatch &watch;
        ~Unfollow() { watch.follow(nullptr); }
    } unfollow{m_readerWatch};
    teb::runAutomaticCycle(fields, station);
    track.stopped = m_stopRequested;
    takeCycleResult(track);
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
    DataSourceFields fields{currentSet, pageText, asciiFormat, nextCarrierId, csvDelimiter, workingDirectory};
    switch (id) {
    case Control::NextDataSetButton: errorCount = nextDataSet(fields, csvSource, station); break;
    case Control::NextCompleteButton: errorCount = nextComplete(fields, csvSource, station); break;
    case Control::CurrentDataSetProcessedButton: markRowInPages(fields, CsvFormat::Simple, csvSource); break;
    case Control::NextCompleteProcessedButton: markRowInPages(fields, CsvFormat::Complete, csvSource); break;
    default: break;
    }
    showInControls();
}

} // namespace teb
