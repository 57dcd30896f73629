#include "windows/journal_history/cjournal_dlg.h"

#include "history/record_rebuild.h"
#include "journal/carrier_id_journal.h"
#include "params/parameter_set.h"
#include "windows/journal_history/history_export.h"

#include <algorithm>

namespace teb {
namespace {

constexpr std::string_view kCaption = "Tag Encoder Bench";

// 1234567 -> "1,234,567"
std::string grouped(std::uint64_t number)
{
    std::string digits = std::to_string(number);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

} // namespace

CJournalDlg::CJournalDlg(CarrierIdJournal &journal, std::filesystem::path workingDirectory,
                         std::string currentSetName, SetLoader loadSet, Checker checkTransponder)
    : m_journal(journal), m_workingDirectory(std::move(workingDirectory)), m_currentSetName(std::move(currentSetName)),
      m_loadSet(std::move(loadSet)), m_checkTransponder(std::move(checkTransponder))
{
}

CJournalDlg::~CJournalDlg() = default;

void CJournalDlg::open(CJournalDlgView &view)
{
    m_view = &view;
    searchChanged();
}

void CJournalDlg::searchChanged()
{
    m_search = m_view->searchText();
    m_pageStarts = {HistoryCursor{}};
    try {
        m_matches = m_journal.historyCount(m_search, kCountCap);
    } catch (const JournalError &) {
        m_matches = 0; // the page's question names the fault
    }
    showPage();
}

void CJournalDlg::newerClicked()
{
    if (m_pageStarts.size() < 2)
        return;
    m_pageStarts.pop_back();
    showPage();
}

void CJournalDlg::olderClicked()
{
    if (!m_nextPage)
        return;
    m_pageStarts.push_back(*m_nextPage);
    showPage();
}

void CJournalDlg::showPage()
{
    try {
        HistoryPage page = m_journal.historyPage(m_search, m_pageStarts.back(), kPageRows);
        m_entries = std::move(page.entries);
        m_nextPage = std::move(page.next);
    } catch (const JournalError &error) {
        m_entries.clear();
        m_nextPage.reset();
        m_view->showRows({});
        m_view->showPaging(m_pageStarts.size() > 1, false);
        m_view->showStatus(error.what());
        return;
    }
    std::vector<HistoryRow> rows;
    rows.reserve(m_entries.size());
    for (const JournalEntry &entry : m_entries)
        rows.push_back(historyRow(entry));
    m_view->showRows(rows);
    m_view->showPaging(m_pageStarts.size() > 1, m_nextPage.has_value());
    m_view->showStatus(pageStatus());
}

std::string CJournalDlg::pageStatus() const
{
    const std::string where = m_journal.serverName().empty() ? "in " + m_journal.location() : m_journal.location();
    const std::string search = "whose carrier ID or UID starts with \"" + m_search + "\"";
    if (m_entries.empty())
        return m_search.empty() ? "No cycles " + where + " yet." : "No cycle " + search + ".";
    const std::uint64_t first = (m_pageStarts.size() - 1) * kPageRows + 1;
    const std::uint64_t last = first + m_entries.size() - 1;
    const std::string of =
        m_matches >= kCountCap ? "more than " + grouped(kCountCap) : grouped(std::max(m_matches, last));
    const std::string shown = "Cycles " + grouped(first) + "-" + grouped(last) + " of " + of;
    if (m_search.empty())
        return shown + ", newest first, " + where;
    return shown + " " + search + ", by carrier ID, then UID (newest first within each)";
}

void CJournalDlg::report(const std::string &text, MessageIcon icon)
{
    m_view->showMessage(MessageRequest{text, std::string(kCaption), icon, MessageButtons::Ok});
}

void CJournalDlg::startTask(std::string what, BackgroundTask::Work work)
{
    m_taskWhat = std::move(what);
    m_task = std::make_unique<BackgroundTask>(std::move(work));
    m_view->showTask(TaskDisplay{m_taskWhat});
}

void CJournalDlg::taskTick()
{
    if (!m_task)
        return;
    if (!m_task->finished()) {
        const TaskProgress &progress = m_task->progress();
        m_view->showTask(TaskDisplay{m_taskWhat, progress.done(), progress.total(), m_task->cancelling()});
        return;
    }
    const TaskOutcome outcome = m_task->outcome();
    m_task.reset();
    m_view->showTask(std::nullopt);
    taskEnded(outcome);
}

void CJournalDlg::taskEnded(const TaskOutcome &outcome)
{
    switch (outcome.end) {
    case TaskOutcome::End::Done: return report(outcome.text, MessageIcon::Information);
    case TaskOutcome::End::Failed: return report(outcome.text, MessageIcon::Stop);
    case TaskOutcome::End::Cancelled: return m_view->showStatus(outcome.text);
    }
}

void CJournalDlg::cancelClicked()
{
    if (m_task)
        m_task->cancel();
}

void CJournalDlg::closing() { m_task.reset(); }

void CJournalDlg::exportClicked()
{
    if (m_task)
        return;
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
    startTask("Exporting the list to " + file->string(),
              [open = m_journal.opener(), search = m_search, file = *file](std::stop_token stop, TaskProgress &progress) {
                  return exportHistory(open, search, file, stop, progress);
              });
}

std::string CJournalDlg::setOfSelection() const
{
    const int row = m_view->selectedRow();
    if (row >= 0 && static_cast<std::size_t>(row) < m_entries.size() && !m_entries[static_cast<std::size_t>(row)].setName.empty())
        return m_entries[static_cast<std::size_t>(row)].setName;
    return m_currentSetName;
}

void CJournalDlg::rewriteRecordsClicked()
{
    if (m_task)
        return;
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
    startTask("Writing the records of set " + setName + " to " + file->string(),
              [open = m_journal.opener(), file = *file, setName, set = m_loadSet(setName)](std::stop_token stop,
                                                                                          TaskProgress &progress) {
                  return rebuildRecordFile(open, file, setName, set, stop, progress);
              });
}

void CJournalDlg::checkTransponderClicked()
{
    if (!m_checkTransponder)
        return;
    const TransponderCheck check = m_checkTransponder();
    showPage();
    report(check.text, check.failed ? MessageIcon::Stop : MessageIcon::Information);
}

} // namespace teb
