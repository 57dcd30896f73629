#pragma once

#include "common/dialog_types.h"
#include "windows/journal_history/history_rows.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The "Carrier-ID journal" window: every cycle the journal holds, newest
// first, searched by carrier ID or UID; the list exported as CSV; a set's
// record file written again from the journal; the transponder on the
// antenna finishing its unfinished cycle ("Check transponder").
namespace teb {

class CarrierIdJournal;
struct ParameterSet;

class CJournalDlgView {
public:
    virtual ~CJournalDlgView() = default;
    virtual std::string searchText() const = 0;
    virtual void showRows(const std::vector<HistoryRow> &rows) = 0;
    virtual int selectedRow() const = 0; // -1: none
    virtual void showStatus(const std::string &text) = 0;
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

    void open(CJournalDlgView &view); // the list, newest first
    void searchChanged();
    void exportClicked();         // "Export CSV..."
    void rewriteRecordsClicked(); // "Write record file...": the selected row's set, else the current one
    void checkTransponderClicked(); // "Check transponder": the list shows how its cycle ended

    static constexpr std::size_t kListLimit = 10000;

private:
    void noteRecorded(const std::vector<JournalEntry> &written);
    void refresh();
    void report(const std::string &text, MessageIcon icon);
    std::string setOfSelection() const;

    CarrierIdJournal &m_journal;
    std::filesystem::path m_workingDirectory;
    std::string m_currentSetName;
    SetLoader m_loadSet;
    Checker m_checkTransponder;
    CJournalDlgView *m_view = nullptr;
    std::vector<JournalEntry> m_entries; // as listed
};

} // namespace teb
