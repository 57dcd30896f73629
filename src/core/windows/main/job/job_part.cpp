#include "windows/main/job/job_part.h"

#include "automatic/page_placement.h"
#include "params/parameter_set_file.h"
#include "records/record_files.h"

#include <utility>

namespace teb {

void JobPart::takeSettings(const StationSettings &settings)
{
    m_state.currentSetName = settings.currentSetName;
    m_state.setList = settings.setList;
    m_state.carrierIdMax = settings.carrierIdMax;
    m_state.csvDelimiter = settings.csvDelimiter; // an empty value already reads as ","
    m_state.silentFail = settings.silentFail;
    m_state.readBackAllPages = settings.readBackAllPages;
    m_state.journalServer = settings.journalServer;
    m_state.journalServerCut = settings.journalServerCut;
    m_state.stationName = settings.stationName;
}

void JobPart::putSettings(StationSettings &settings) const
{
    settings.currentSetName = m_state.currentSetName;
    settings.setList = m_state.setList;
    settings.carrierIdMax = m_state.carrierIdMax;
    settings.csvDelimiter = m_state.csvDelimiter;
}

void JobPart::takeFromControls(CQV58DlgView &view)
{
    m_state.currentSetName = view.text(Control::SetNameLabel);
    m_state.nextCarrierId = view.text(Control::NextBox);
    m_state.carrierIdMax = view.text(Control::MaxBox);
}

void JobPart::showInControls(CQV58DlgView &view) const
{
    view.setText(Control::SetNameLabel, m_state.currentSetName);
    view.setText(Control::NextBox, m_state.nextCarrierId);
    view.setText(Control::MaxBox, m_state.carrierIdMax);
}

void JobPart::loadCurrentSet() { m_state.currentSet = loadParameterSet(m_state.workingDirectory, m_state.currentSetName); }

void JobPart::takeCycleOutcome(const CycleOutcome &outcome)
{
    m_state.currentSet = outcome.set;
    storePlacedPages(outcome.pages);
    if (outcome.nextCarrierId)
        m_state.nextCarrierId = *outcome.nextCarrierId;
    if (outcome.programmedCount)
        m_state.programmedCount = *outcome.programmedCount;
    m_state.csvSource = outcome.csvState;
    m_state.recordFailed = m_state.recordFailed || outcome.recordFailed;
}

void JobPart::storePlacedPages(const PageImage &pages) { teb::storePlacedPages(m_state.currentSet, pages); }

void JobPart::takeRow(const TakenRow &taken)
{
    storePlacedPages(taken.image);
    for (std::size_t i = 0; taken.locks && i < m_state.currentSet.pages.size(); ++i)
        m_state.currentSet.pages[i].locked = (*taken.locks)[i];
    m_state.currentSet.carrierId = taken.carrierId;
    m_state.nextCarrierId = taken.carrierId;
    m_state.csvSource.rowInPages = taken.row;
}

void JobPart::markCsvRow(CsvFormat format) { markRowInPages(csvFile(), format, m_state.csvSource); }

CsvFile JobPart::csvFile() const { return csvFileOf(m_state.currentSet, m_state.csvDelimiter, m_state.workingDirectory); }

bool JobPart::takeRecordFailure() { return std::exchange(m_state.recordFailed, false); }

void JobPart::countProgrammed(const JournalEntry &entry)
{
    if (entry.setName == m_state.currentSetName)
        ++m_state.programmedInSet;
}

// Every cycle reads the UID first, whatever the family: the record holds it.
// Synced: an unsynced workbook may come back from a power cut empty or cut
// short, and the next append then starts it afresh or refuses it for good.
bool JobPart::appendRecord(const records::RecordEntry &entry, const WallClock &clock)
{
    return records::appended(records::appendRecord(records::workbookPath(m_state.workingDirectory, m_state.currentSet.recordFileName),
                                                   entry, m_state.currentSetName, m_state.currentSet,
                                                   m_state.jobHeaderPending, clock));
}

void JobPart::showMessage(std::string text, MessageIcon icon)
{
    showOkMessage(m_dialogs, std::move(text), kWindowTitle, icon);
}

} // namespace teb
