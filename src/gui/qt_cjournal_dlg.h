#pragma once

#include "windows/journal_history/cjournal_dlg.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;
class QWidget;

namespace teb::gui {

// "File" / "Carrier-ID journal...": a page of the journal's cycles with a
// search field, "Newer" / "Older", and the progress of an export or a record
// file with its "Cancel"; it draws what its model gives and forwards the
// buttons. The search waits for a pause in typing (or Enter).
class QtCJournalDlg final : public QDialog, public CJournalDlgView {
    Q_OBJECT
public:
    explicit QtCJournalDlg(QWidget *parent = nullptr);

    void run(CJournalDlg &model); // until the operator closes it

    std::string searchText() const override;
    void showRows(const std::vector<HistoryRow> &rows) override;
    void showPaging(bool newer, bool older) override;
    int selectedRow() const override;
    void showStatus(const std::string &text) override;
    void showTask(const std::optional<TaskDisplay> &task) override;
    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &request) override;
    void showMessage(const MessageRequest &request) override;

    static constexpr int kSearchPauseMs = 250;

private:
    QWidget *makeSearchRow();
    QWidget *makePagingRow();
    QWidget *makeTaskRow();
    void forward(void (CJournalDlg::*handler)());

    CJournalDlg *m_model = nullptr;
    QLineEdit *m_search = nullptr;
    QTimer *m_searchPause = nullptr;
    QTableWidget *m_table = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_newer = nullptr;
    QPushButton *m_older = nullptr;
    QWidget *m_taskRow = nullptr;
    QLabel *m_taskText = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_cancel = nullptr;
    QTimer *m_taskTimer = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_records = nullptr;
};

} // namespace teb::gui
