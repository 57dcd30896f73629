#pragma once

#include "windows/main/cqv58_dlg_events.h"
#include "windows/main/cqv58_dlg_view.h"
#include "windows/main/cycle_result.h"
#include "windows/main/dialog_host.h"
#include "windows/main/job/job_state.h"
#include "windows/main/manual_carrier_id_write.h"
#include "windows/main/link/link_part.h"
#include "automatic/automatic_cycle.h"
#include "automatic/csv_data_source.h"
#include "params/station_settings.h"
#include "reader/date_time_stamp.h"
#include "records/record_entry.h"
#include "transponder/carrier_id_operations.h"
#include "transponder/page_image.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace teb {

// The job the station works on and its carrier-ID journal: the journal
// opened and opened again, the current set resumed from it, the "next" and
// "max" boxes, "Config"'s take-over, the journal's side of a manual
// carrier-ID write and the journal window with its "Check transponder".
class JobPart {
public:
    // The window as the job sees it.
    struct Window {
        std::function<void()> takeFromControls;
        std::function<void()> showInControls;
        // The pages as the boxes show them, and the boxes showing pages with a carrier ID placed into them.
        std::function<PageImage()> pagesForPlacement;
        std::function<void(const PageImage &pages)> showPlacedPages;
        // "write carrier ID" and "Check transponder": the UID on the antenna,
        // none when it could not be read.
        std::function<std::optional<std::string>()> readUid;
        // "Check transponder": the unfinished cycle finished from the transponder, its outcome shown.
        std::function<CycleOutcome(const JournalEntry &unfinished, CycleTrack &track)> finishCycle;
    };

    JobPart(DialogHost &dialogs, LinkPart &link, Window window)
        : m_dialogs(dialogs), m_link(link), m_window(std::move(window))
    {
    }

    const JobState &state() const { return m_state; }

    void takeSettings(const StationSettings &settings);
    void putSettings(StationSettings &settings) const;
    // The set's name, "next" and "max" as their boxes show them, and back.
    void takeFromControls(CQV58DlgView &view);
    void showInControls(CQV58DlgView &view) const;
    // Start-up: the folder the station works in, and the current set loaded from it.
    void setWorkingDirectory(std::filesystem::path directory) { m_state.workingDirectory = std::move(directory); }
    void loadCurrentSet();

    // --- what a cycle or a CSV command leaves in the job
    void takeCycleOutcome(const CycleOutcome &outcome);
    void storePlacedPages(const PageImage &pages); // the set holds what was placed
    void takeRow(const TakenRow &taken);
    void markCsvRow(CsvFormat format); // the CSV row in the pages marked as processed
    CsvFile csvFile() const;
    // A record file that could not be written since the last look; the look clears it.
    bool takeRecordFailure();
    void countProgrammed(const JournalEntry &entry); // in the set's own count when it is the current set's
    // The cycle's record, with the job's header first when it is due; false
    // when the record file could not be written.
    bool appendRecord(const records::RecordEntry &entry, const WallClock &clock);

    // --- the journal
    void openJournal();    // start-up: says why not
    // "One" and the journal window: the journal opened when it is not, held-back files looked at again.
    void reopenJournalWhenClosed();
    void showInterruptedCycles();
    void showMissingRecords();
    void resumeFromJournal(); // after the current set was loaded from its file
    // The journal; throws JournalError when it could not be opened.
    CarrierIdJournal &journal();
    CycleJournal cycleJournal() const; // the journal as the current set uses it
    bool transponderDone(const std::string &uid) const; // "Cont On" leaves it alone
    void showJournal(); // "File" / "Carrier-ID journal..."

    // --- the "next" and "max" boxes and their spin buttons
    void nextBoxLeft();
    void maxBoxLeft();
    void nextSpinStep(SpinDirection direction);
    void maxSpinStep(SpinDirection direction);

    // "Config": the editor with the job's values, its accepted result taken
    // over. The page format it chose; none when it was cancelled.
    std::optional<bool> runConfig(bool asciiFormat);

    // --- "write carrier ID" as the journal follows it
    bool prepareManualCarrierId(ManualCarrierIdWrite &manual);
    CarrierIdReservation manualReservation(ManualCarrierIdWrite &manual);
    void concludeManualCarrierId(const ManualCarrierIdWrite &manual, const CarrierIdWrite &write);

private:
    // A journal call whose failure the operator reads in a box.
    template <typename Call>
    auto askJournal(Call &&call);
    void showMessage(std::string text, MessageIcon icon);
    bool tryOpenJournal(); // false: journalProblem says why
    void resumeSet(); // resumeFromJournal without a word about a file held back
    void takeNextCarrierId(const std::string &carrierId, bool stepUp = false);
    std::string freeCarrierIdFrom(std::uint64_t value);
    bool carrierIdIssued(std::uint64_t value); // with its message
    bool placeCarrierId();
    void takeOverEditorResult(const ConfigEditorInput &input, const ConfigEditorResult &result);
    void takeTypedCounterValue(const std::string &typed);
    void startFixedDataJob();
    TransponderCheck checkTransponder();

    DialogHost &m_dialogs;
    LinkPart &m_link;
    Window m_window;
    JobState m_state;
};

template <typename Call>
auto JobPart::askJournal(Call &&call)
{
    auto result = journalResult(std::forward<Call>(call));
    if (!result)
        showMessage(result.error(), MessageIcon::Stop);
    return result;
}

} // namespace teb
