#include "qt_auto_2.h"

#include "guarded_call.h"
#include "artwork.h"
#include "controls/enter_edit.h"
#include "controls/image_switch.h"
#include "controls/x_color_static.h"
#include "windows/pages_editor/auto_2.h"
#include "qt_dialog_host.h"
#include "qt_text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace teb::gui {
namespace {

constexpr int kPagesCellClass = 24;
constexpr int kCellWidth = 44;
constexpr QSize kSwitchSize(36, 18);
constexpr QSize kSelectSize(18, 18);

CXColorStatic *caption(const QString &text, bool bold = false)
{
    auto *label = new CXColorStatic;
    label->setText(text);
    label->setTextColor(Qt::white);
    label->setBackgroundColor(Qt::black);
    label->setBold(bold);
    label->setMargin(2);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

QtAuto2::QtAuto2(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Config Pages 3-17"));
    build();
}

void QtAuto2::build()
{
    auto *whole = new QVBoxLayout(this);
    whole->addWidget(formatRow());
    whole->addWidget(pageGrid());
    whole->addWidget(buttonRow());
}

QWidget *QtAuto2::formatRow()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const auto &[id, text] : {std::pair{PagesControl::HexFormat, QStringLiteral("HEX")},
                                   std::pair{PagesControl::AsciiFormat, QStringLiteral("ASCII")}}) {
        auto *button = new ImageSwitch(artworkPixmap(Artwork::SelectOn, kSelectSize),
                                       artworkPixmap(Artwork::SelectOff, kSelectSize));
        add(id, button);
        layout->addWidget(button);
        layout->addWidget(caption(text, true));
        layout->addSpacing(12);
    }
    layout->addStretch();
    return row;
}

// One row per page: its name and byte range, eight cells, "Edit" and "Lock".
QWidget *QtAuto2::pageGrid()
{
    auto *frame = new QFrame;
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    auto *grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(3);
    grid->addWidget(caption(QStringLiteral("byte#"), true), 0, 0);
    for (int i = 0; i < 8; ++i)
        grid->addWidget(caption(QString::number(i)), 0, 1 + i);
    grid->addWidget(caption(QStringLiteral("Edit"), true), 0, 10);
    grid->addWidget(caption(QStringLiteral("Lock"), true), 0, 11);
    grid->setColumnMinimumWidth(9, 10);
    for (int page = kFirstPagesEditorPage; page <= kPageCount; ++page) {
        const int row = page - kFirstPagesEditorPage + 1;
        const int firstByte = (page - 1) * 8;
        CXColorStatic *name =
            caption(QStringLiteral("<b>Page %1</b><br>byte %2-%3").arg(page).arg(firstByte).arg(firstByte + 7));
        name->setTextFormat(Qt::RichText);
        grid->addWidget(name, row, 0);
        for (int i = 0; i < 8; ++i) {
            const int byte = firstByte + i;
            auto *cell = new CEnterEdit(kPagesCellClass, static_cast<int>(pagesCell(byte)));
            cell->setTextColor(Qt::black);
            cell->setBackgroundColor(Qt::white);
            cell->setFixedWidth(kCellWidth);
            cell->setAlignment(Qt::AlignCenter);
            add(pagesCell(byte), cell);
            grid->addWidget(cell, row, 1 + i);
        }
        for (const auto &[id, column] : {std::pair{pagesEditSwitch(page), 10}, std::pair{pagesLockSwitch(page), 11}}) {
            auto *button = new ImageSwitch(artworkPixmap(Artwork::SwitchOn, kSwitchSize),
                                           artworkPixmap(Artwork::SwitchOff, kSwitchSize));
            add(id, button);
            grid->addWidget(button, row, column, Qt::AlignCenter);
        }
    }
    return frame;
}

QWidget *QtAuto2::buttonRow()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    for (const auto &[id, text] : {std::pair{PagesControl::Ok, QStringLiteral("OK")},
                                   std::pair{PagesControl::Cancel, QStringLiteral("Abbrechen")}}) {
        auto *button = new QPushButton(text);
        button->setAutoDefault(false);
        button->setMinimumWidth(96);
        add(id, button);
        layout->addWidget(button);
    }
    return row;
}

void QtAuto2::add(PagesControl id, QWidget *widget)
{
    m_controls[id] = widget;
    if (auto *cell = qobject_cast<CEnterEdit *>(widget)) {
        const auto confirm = [this, id] {
            if (m_model)
                guardedCall([&] { m_model->enterPressed(id); });
        };
        connect(cell, &CEnterEdit::completed, this, confirm);
        connect(cell, &CEnterEdit::tabbed, this, confirm);
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] {
            if (m_model)
                guardedCall([&] { m_model->clicked(id); });
        });
    }
}

QWidget *QtAuto2::control(PagesControl id) const
{
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

void QtAuto2::setText(PagesControl id, const std::string &text)
{
    if (auto *cell = qobject_cast<QLineEdit *>(control(id)))
        cell->setText(fromLatin1(text));
}

std::string QtAuto2::text(PagesControl id) const
{
    if (auto *cell = qobject_cast<QLineEdit *>(control(id)))
        return toLatin1(cell->text());
    return {};
}

void QtAuto2::setEnabled(PagesControl id, bool enabled)
{
    if (QWidget *widget = control(id))
        widget->setEnabled(enabled);
}

void QtAuto2::setSwitchImage(PagesControl id, bool on)
{
    if (auto *button = qobject_cast<ImageSwitch *>(control(id)))
        button->setImageOn(on);
}

void QtAuto2::setFocus(PagesControl id)
{
    if (QWidget *widget = control(id))
        widget->setFocus(Qt::OtherFocusReason);
}

void QtAuto2::selectAll(PagesControl id)
{
    if (auto *cell = qobject_cast<QLineEdit *>(control(id)))
        cell->selectAll();
}

MessageAnswer QtAuto2::showMessage(const MessageRequest &request)
{
    return QtDialogHost(*this, {}).showMessage(request);
}

DialogResult QtAuto2::runModal(auto_2 &dialog)
{
    attach(dialog);
    const int result = exec();
    m_model = nullptr;
    return result == QDialog::Accepted ? DialogResult::Ok : DialogResult::Cancel;
}

void QtAuto2::endDialog(DialogResult result)
{
    m_model = nullptr;  // the model has finished
    done(result == DialogResult::Ok ? QDialog::Accepted : QDialog::Rejected);
}

void QtAuto2::reject()
{
    if (m_model)
        guardedCall([this] { m_model->cancel(); });
    else
        QDialog::reject();
}

} // namespace teb::gui
