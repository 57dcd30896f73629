#include "qt_cjournal_dlg.h"

#include "file_dialog.h"
#include "qt_text.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace teb::gui {
namespace {

// The bar counts in thousandths: a journal's row count does not fit its int.
constexpr int kProgressSteps = 1000;

QString grouped(std::uint64_t number) { return QLocale::c().toString(static_cast<qulonglong>(number)); }

QHBoxLayout *rowLayout(QWidget *row)
{
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

} // namespace

QtCJournalDlg::QtCJournalDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Carrier-ID journal"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeSearchRow());

    const HistoryRow &titles = historyColumnTitles();
    m_table = new QTableWidget(0, static_cast<int>(titles.size()), this);
    m_table->setObjectName(QStringLiteral("cycles"));
    QStringList headers;
    for (const std::string &title : titles)
        headers << QString::fromUtf8(title.c_str());
    m_table->setHorizontalHeaderLabels(headers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setAlternatingRowColors(true);
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table, 1);

    layout->addWidget(makePagingRow());
    layout->addWidget(makeTaskRow());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_export = buttons->addButton(QStringLiteral("Export CSV..."), QDialogButtonBox::ActionRole);
    m_export->setObjectName(QStringLiteral("export"));
    m_export->setToolTip(QStringLiteral("Writes every cycle the search finds (the whole journal without one) as CSV"));
    m_records = buttons->addButton(QStringLiteral("Write record file..."), QDialogButtonBox::ActionRole);
    m_records->setObjectName(QStringLiteral("records"));
    m_records->setToolTip(QStringLiteral("Writes the selected row's set (or the current set) as a new record file"));
    QPushButton *checkButton = buttons->addButton(QStringLiteral("Check transponder"), QDialogButtonBox::ActionRole);
    checkButton->setObjectName(QStringLiteral("check"));
    checkButton->setToolTip(QStringLiteral("Reads the transponder on the antenna and finishes its unfinished cycle"));
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_export, &QPushButton::clicked, this, [this] { forward(&CJournalDlg::exportClicked); });
    connect(m_records, &QPushButton::clicked, this, [this] { forward(&CJournalDlg::rewriteRecordsClicked); });
    connect(checkButton, &QPushButton::clicked, this, [this] { forward(&CJournalDlg::checkTransponderClicked); });
    resize(1000, 560);
}

QWidget *QtCJournalDlg::makeSearchRow()
{
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setPlaceholderText(QStringLiteral("Carrier ID or UID starts with..."));
    m_search->setClearButtonEnabled(true);
    // A journal question per pause in typing, not per key.
    m_searchPause = new QTimer(this);
    m_searchPause->setSingleShot(true);
    m_searchPause->setInterval(kSearchPauseMs);
    connect(m_search, &QLineEdit::textChanged, m_searchPause, qOverload<>(&QTimer::start));
    connect(m_searchPause, &QTimer::timeout, this, [this] { forward(&CJournalDlg::searchChanged); });
    connect(m_search, &QLineEdit::returnPressed, this, [this] {
        m_searchPause->stop();
        forward(&CJournalDlg::searchChanged);
    });
    return m_search;
}

QWidget *QtCJournalDlg::makePagingRow()
{
    auto *row = new QWidget(this);
    QHBoxLayout *layout = rowLayout(row);
    m_status = new QLabel(row);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_status, 1);
    m_newer = new QPushButton(QStringLiteral("\u25C0 Newer"), row);
    m_newer->setObjectName(QStringLiteral("newer"));
    m_older = new QPushButton(QStringLiteral("Older \u25B6"), row);
    m_older->setObjectName(QStringLiteral("older"));
    for (QPushButton *button : {m_newer, m_older}) {
        button->setAutoDefault(false);
        button->setEnabled(false);
        layout->addWidget(button);
    }
    connect(m_newer, &QPushButton::clicked, this, [this] { forward(&CJournalDlg::newerClicked); });
    connect(m_older, &QPushButton::clicked, this, [this] { forward(&CJournalDlg::olderClicked); });
    return row;
}

QWidget *QtCJournalDlg::makeTaskRow()
{
    m_taskRow = new QWidget(this);
    QHBoxLayout *layout = rowLayout(m_taskRow);
    m_taskText = new QLabel(m_taskRow);
    m_taskText->setObjectName(QStringLiteral("taskText"));
    layout->addWidget(m_taskText);
    m_progress = new QProgressBar(m_taskRow);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setTextVisible(true);
    m_progress->setMinimumWidth(320);
    layout->addWidget(m_progress, 1);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), m_taskRow);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_cancel->setAutoDefault(false);
    layout->addWidget(m_cancel);
    connect(m_cancel, &QPushButton::clicked, this, [this] { forward(&CJournalDlg::cancelClicked); });
    m_taskTimer = new QTimer(this);
    m_taskTimer->setInterval(CJournalDlg::kTaskTickMs);
    connect(m_taskTimer, &QTimer::timeout, this, [this] { forward(&CJournalDlg::taskTick); });
    m_taskRow->hide();
    return m_taskRow;
}

void QtCJournalDlg::forward(void (CJournalDlg::*handler)())
{
    if (m_model)
        (m_model->*handler)();
}

void QtCJournalDlg::run(CJournalDlg &model)
{
    m_model = &model;
    model.open(*this);
    exec();
    model.closing();
    m_model = nullptr;
}

std::string QtCJournalDlg::searchText() const
{
    const QByteArray text = m_search->text().trimmed().toUtf8();
    return std::string(text.constData(), static_cast<std::size_t>(text.size()));
}

void QtCJournalDlg::showRows(const std::vector<HistoryRow> &rows)
{
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const HistoryRow &cells = rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < static_cast<int>(cells.size()); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(QString::fromUtf8(cells[static_cast<std::size_t>(column)].c_str())));
    }
    m_table->resizeColumnsToContents();
    m_table->scrollToTop();
}

void QtCJournalDlg::showPaging(bool newer, bool older)
{
    m_newer->setEnabled(newer);
    m_older->setEnabled(older);
}

int QtCJournalDlg::selectedRow() const
{
    const auto selected = m_table->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void QtCJournalDlg::showStatus(const std::string &text) { m_status->setText(QString::fromUtf8(text.c_str())); }

void QtCJournalDlg::showTask(const std::optional<TaskDisplay> &task)
{
    m_export->setEnabled(!task);
    m_records->setEnabled(!task);
    m_taskRow->setVisible(task.has_value());
    if (!task) {
        m_taskTimer->stop();
        return;
    }
    if (!m_taskTimer->isActive())
        m_taskTimer->start();
    m_taskText->setText(QString::fromUtf8(task->what.c_str()) + (task->cancelling ? QStringLiteral(": cancelling...") : QString()));
    m_cancel->setEnabled(!task->cancelling);
    if (task->total == 0) {
        m_progress->setRange(0, 0); // not counted yet: the bar shows that it works
        return;
    }
    const std::uint64_t done = std::min(task->done, task->total);
    m_progress->setRange(0, kProgressSteps);
    m_progress->setValue(static_cast<int>(done * kProgressSteps / task->total));
    m_progress->setFormat(grouped(done) + QStringLiteral(" of ") + grouped(task->total) + QStringLiteral(" (%p%)"));
}

std::optional<std::filesystem::path> QtCJournalDlg::chooseFile(const FileDialogRequest &request)
{
    return runFileDialog(request, this);
}

void QtCJournalDlg::showMessage(const MessageRequest &request)
{
    const QMessageBox::Icon icon = request.icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Information;
    QMessageBox box(icon, fromLatin1(request.caption), QString::fromUtf8(request.text.c_str()), QMessageBox::Ok, this);
    box.exec();
}

} // namespace teb::gui
