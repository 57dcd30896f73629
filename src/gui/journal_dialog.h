#pragma once

#include "windows/journal_history/cjournal_dlg.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace teb::gui {

// "File" / "Carrier-ID journal...": the journal's cycles, newest first, with
// a search field; it draws the rows its model gives and forwards the buttons.
class JournalDialog final : public QDialog, public CJournalDlgView {
    Q_OBJECT
public:
    explicit JournalDialog(QWidget *parent = nullptr);

    void run(CJournalDlg &model); // until the operator closes it

    std::string searchText() const override;
    void showRows(const std::vector<HistoryRow> &rows) override;
    int selectedRow() const override;
    void showStatus(const std::string &text) override;
    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &request) override;
    void showMessage(const MessageRequest &request) override;

private:
    CJournalDlg *m_model = nullptr;
    QLineEdit *m_search = nullptr;
    QTableWidget *m_table = nullptr;
    QLabel *m_status = nullptr;
};

} // namespace teb::gui
