#include "journal_dialog.h"

#include "file_dialog.h"
#include "qt_text.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace teb::gui {

JournalDialog::JournalDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Carrier-ID journal"));
    auto *layout = new QVBoxLayout(this);

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setPlaceholderText(QStringLiteral("Search by carrier ID or UID"));
    m_search->setClearButtonEnabled(true);
    layout->addWidget(m_search);

    const HistoryRow &titles = historyColumnTitles();
    m_table = new QTableWidget(0, static_cast<int>(titles.size()), this);
    m_table->setObjectName(QStringLiteral("cycles"));
    QStringList headers;
    for (const std::string &title : titles)
        headers << QString::fromUtf8(title.c_str());
    m_table->setHorizontalHeaderLabels(headers);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setAlternatingRowColors(true);
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    layout->addWidget(m_status);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *exportButton = buttons->addButton(QStringLiteral("Export CSV..."), QDialogButtonBox::ActionRole);
    exportButton->setObjectName(QStringLiteral("export"));
    QPushButton *recordsButton = buttons->addButton(QStringLiteral("Write record file..."), QDialogButtonBox::ActionRole);
    recordsButton->setObjectName(QStringLiteral("records"));
    recordsButton->setToolTip(QStringLiteral("Writes the selected row's set (or the current set) as a new record file"));
    QPushButton *checkButton = buttons->addButton(QStringLiteral("Check transponder"), QDialogButtonBox::ActionRole);
    checkButton->setObjectName(QStringLiteral("check"));
    checkButton->setToolTip(QStringLiteral("Reads the transponder on the antenna and finishes its unfinished cycle"));
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_search, &QLineEdit::textChanged, this, [this] {
        if (m_model)
            m_model->searchChanged();
    });
    connect(exportButton, &QPushButton::clicked, this, [this] {
        if (m_model)
            m_model->exportClicked();
    });
    connect(recordsButton, &QPushButton::clicked, this, [this] {
        if (m_model)
            m_model->rewriteRecordsClicked();
    });
    connect(checkButton, &QPushButton::clicked, this, [this] {
        if (m_model)
            m_model->checkTransponderClicked();
    });
    resize(1000, 480);
}

void JournalDialog::run(CJournalDlg &model)
{
    m_model = &model;
    model.open(*this);
    exec();
    m_model = nullptr;
}

std::string JournalDialog::searchText() const
{
    const QByteArray text = m_search->text().trimmed().toUtf8();
    return std::string(text.constData(), static_cast<std::size_t>(text.size()));
}

void JournalDialog::showRows(const std::vector<HistoryRow> &rows)
{
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const HistoryRow &cells = rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < static_cast<int>(cells.size()); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(QString::fromUtf8(cells[static_cast<std::size_t>(column)].c_str())));
    }
    m_table->resizeColumnsToContents();
}

int JournalDialog::selectedRow() const
{
    const auto selected = m_table->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void JournalDialog::showStatus(const std::string &text) { m_status->setText(QString::fromUtf8(text.c_str())); }

std::optional<std::filesystem::path> JournalDialog::chooseFile(const FileDialogRequest &request)
{
    return runFileDialog(request, this);
}

void JournalDialog::showMessage(const MessageRequest &request)
{
    const QMessageBox::Icon icon = request.icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Information;
    QMessageBox box(icon, fromLatin1(request.caption), QString::fromUtf8(request.text.c_str()), QMessageBox::Ok, this);
    box.exec();
}

} // namespace teb::gui
