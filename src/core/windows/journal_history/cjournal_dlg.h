#pragma once

#include "common/dialog_types.h"
#include "history/background_task.h"
#include "journal/history_page.h"
#include "windows/journal_history/history_rows.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The "Carrier-ID journal" window: the journal a page at a time, newest
// first, searched by the start of a carrier ID or UID; the list exported as
// CSV and a set's record file written again from the journal, both on a
// thread of their own with their progress shown and a "Cancel"; the
// transponder on the antenna finishing its unfinished cycle ("Check transponder").
namespace teb {

class CarrierIdJournal;
struct ParameterSet;

// A running export or record file, as its progress bar shows it.
struct TaskDisplay {
    std::string what; // "Exporting the list", ...
    std::uint64_t done = 0;
    std::uint64_t total = 0; // 0: not known yet
    bool cancelling = false;
};

class CJournalDlgView {
public:
    virtual ~CJournalDlgView() = default;
    virtual std::string searchText() const = 0;
    virtual void showRows(const std::vector<HistoryRow> &rows) = 0; // one page
    virtual void showPaging(bool newer, bool older) = 0;            // whether "Newer" / "Older" lead anywhere
    virtual int selectedRow() const = 0;                             // -1: none
    virtual void showStatus(const std::string &text) = 0;
    // The running task's progress with "Cancel"; none once it ended. While
    // one is shown the view calls taskTick() every kTaskTickMs and the
    // buttons that start another are disabled.
    virtual void showTask(const std::optional<TaskDisplay> &task) = 0;
    virtual std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &request) = 0;
    virtual void showMessage(const MessageRequest &request) = 0;
};

// What "Check transponder" came to, in words.
struct TransponderCheck {
    std::string text;
    bool failed = false;
};

class CJournalDlg {
public:
    using SetLoader = std::function<ParameterSet(const std::string &setName)>;
    using Checker = std::function<TransponderCheck()>;

    CJournalDlg(CarrierIdJournal &journal, std::filesystem::path workingDirectory, std::string currentSetName,
                SetLoader loadSet, Checker checkTransponder = {});
    ~CJournalDlg(); // a task still running is cancelled and waited for

    void open(CJournalDlgView &view); // the newest page
    void searchChanged();             // the first page of what the search text finds
    void newerClicked();
    void olderClicked();
    void exportClicked();           // "Export CSV...": everything the search finds
    void rewriteRecordsClicked();   // "Write record file...": the selected row's set, else the current one
    void checkTransponderClicked(); // "Check transponder": the list shows how its cycle ended
    void cancelClicked();
    void taskTick();
    void closing(); // the window goes: a running task is cancelled

    static constexpr std::size_t kPageRows = 200;
    // Counting stops here: "more than 10,000" costs what a page costs.
    static constexpr std::uint64_t kCountCap = 10000;
    static constexpr int kTaskTickMs = 100;

private:
    void showPage();
    std::string pageStatus() const;
    void report(const std::string &text, MessageIcon icon);
    std::string setOfSelection() const;
    void startTask(std::string what, BackgroundTask::Work work);
    void taskEnded(const TaskOutcome &outcome);

    CarrierIdJournal &m_journal;
    std::filesystem::path m_workingDirectory;
    std::string m_currentSetName;
    SetLoader m_loadSet;
    Checker m_checkTransponder;
    CJournalDlgView *m_view = nullptr;

    std::string m_search;
    std::uint64_t m_matches = 0;                        // counted up to kCountCap
    std::vector<HistoryCursor> m_pageStarts{HistoryCursor{}}; // the page shown last, the newer ones before it
    std::optional<HistoryCursor> m_nextPage;
    std::vector<JournalEntry> m_entries; // the page shown

    std::string m_taskWhat;
    std::unique_ptr<BackgroundTask> m_task;
};

} // namespace teb
