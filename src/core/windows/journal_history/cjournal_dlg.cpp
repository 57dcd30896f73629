#include "windows/journal_history/cjournal_dlg.h"

#include "common/file_layer.h"
#include "history/record_rebuild.h"
#include "journal/carrier_id_journal.h"
#include "params/parameter_set.h"

namespace teb {
namespace {

constexpr std::string_view kCaption = "Tag Encoder Bench";

} // namespace

CJournalDlg::CJournalDlg(CarrierIdJournal &journal, std::filesystem::path workingDirectory,
                         std::string currentSetName, SetLoader loadSet, Checker checkTransponder)
    : m_journal(journal), m_workingDirectory(std::move(workingDirectory)), m_currentSetName(std::move(currentSetName)),
      m_loadSet(std::move(loadSet)), m_checkTransponder(std::move(checkTransponder))
{
}

void CJournalDlg::open(CJournalDlgView &view)
{
    m_view = &view;
    refresh();
}

void CJournalDlg::searchChanged() { refresh(); }

void CJournalDlg::refresh()
{
    try {
        m_entries = m_journal.history(m_view->searchText(), kListLimit);
    } catch (const JournalError &error) {
        m_entries.clear();
        m_view->showStatus(error.what());
        m_view->showRows({});
        return;
    }
    std::vector<HistoryRow> rows;
    rows.reserve(m_entries.size());
    for (const JournalEntry &entry : m_entries)
        rows.push_back(historyRow(entry));
    m_view->showRows(rows);
    const std::string count = std::to_string(m_entries.size()) + (m_entries.size() == 1 ? " cycle" : " cycles");
    m_view->showStatus(m_entries.size() >= kListLimit ? "the newest " + count + " (search to narrow the list)"
                                                      : count + " in " + m_journal.location());
}

void CJournalDlg::report(const std::string &text, MessageIcon icon)
{
    m_view->showMessage(MessageRequest{text, std::string(kCaption), icon, MessageButtons::Ok});
}

void CJournalDlg::exportClicked()
{
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.initialDirectory = m_workingDirectory;
    request.initialFileName = "carrier-id-journal.csv";
    request.defaultExtension = "csv";
    request.filter = "CSV files (*.csv)|*.csv||";
    request.promptOverwrite = true;
    const auto file = m_view->chooseFile(request);
    if (!file)
        return;
    if (replaceFileAtomically(*file, historyCsv(m_entries)) != ReplaceResult::Replaced)
        return report("The list could not be written to " + file->string() + ".", MessageIcon::Stop);
    report(std::to_string(m_entries.size()) + " cycles written to " + file->string() + ".", MessageIcon::Information);
}

std::string CJournalDlg::setOfSelection() const
{
    const int row = m_view->selectedRow();
    if (row >= 0 && static_cast<std::size_t>(row) < m_entries.size() && !m_entries[static_cast<std::size_t>(row)].setName.empty())
        return m_entries[static_cast<std::size_t>(row)].setName;
    return m_currentSetName;
}

// The set's records are in the new file: none is named missing any more.
void CJournalDlg::noteRecorded(const std::vector<JournalEntry> &written)
{
    std::vector<std::int64_t> ids;
    for (const JournalEntry &entry : written)
        ids.push_back(entry.id);
    try {
        m_journal.noteRecorded(ids);
    } catch (const JournalError &) {
        // Named again at the next start; the file is written all the same.
    }
}

void CJournalDlg::rewriteRecordsClicked()
{
    const std::string setName = setOfSelection();
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.initialDirectory = m_workingDirectory;
    request.initialFileName = setName + " records.xml";
    request.defaultExtension = "xml";
    request.filter = "XML files (*.xml)|*.xml||";
    const auto file = m_view->chooseFile(request);
    if (!file)
        return;
    std::vector<JournalEntry> programmed;
    try {
        programmed = m_journal.programmedOfSet(setName);
    } catch (const JournalError &error) {
        return report(error.what(), MessageIcon::Stop);
    }
    const RecordRebuild rebuilt = rewriteRecordFile(*file, setName, m_loadSet(setName), programmed);
    if (rebuilt.failed)
        return report("The record file " + file->string() +
                          " could not be written (a new file is needed; an existing one is never written over).",
                      MessageIcon::Stop);
    noteRecorded(programmed);
    report(std::to_string(rebuilt.written) + " records of set " + setName + " written to " + file->string() + ".",
           MessageIcon::Information);
}

void CJournalDlg::checkTransponderClicked()
{
    if (!m_checkTransponder)
        return;
    const TransponderCheck check = m_checkTransponder();
    refresh();
    report(check.text, check.failed ? MessageIcon::Stop : MessageIcon::Information);
}

} // namespace teb
