#include "qt_cauto_dlg.h"

#include "guarded_call.h"
#include "qt_cauto_dlg_layout.h"
#include "controls/enter_edit.h"
#include "controls/image_switch.h"
#include "controls/x_color_static.h"
#include "file_dialog.h"
#include "memory_map_widget.h"
#include "qt_auto_2.h"
#include "qt_dialog_host.h"
#include "qt_text.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace teb::gui {
namespace {

// The "Name" list holds set names, which are file names, and the note beside
// "Save" names the set and its file; every other text is 8-bit text as the
// files and the reader carry it.
QString shownText(ConfigControl id, const std::string &text)
{
    return id == ConfigControl::NameList || id == ConfigControl::SaveNote ? fromUtf8(text) : fromLatin1(text);
}

std::string modelText(ConfigControl id, const QString &text)
{
    return id == ConfigControl::NameList ? toUtf8(text) : toLatin1(text);
}

} // namespace

QtCAutoDlg::QtCAutoDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Config"));
    for (const ConfigTimer which : {ConfigTimer::NameChoice, ConfigTimer::CounterPageChoice}) {
        timer(which).setSingleShot(true);
        connect(&timer(which), &QTimer::timeout, this, [this, which] {
            if (m_model)
                guardedCall([&] { m_model->timerFired(which); });
        });
    }
    QtCAutoDlgLayout(*this).build();
}

void QtCAutoDlg::add(ConfigControl id, QWidget *widget)
{
    m_controls[id] = widget;
    connectControl(id, widget);
}

// Every report goes to the model, if one is attached; the model decides.
void QtCAutoDlg::connectControl(ConfigControl id, QWidget *widget)
{
    const auto forward = [this](auto operation) {
        return [this, operation](auto &&...) {
            if (m_model)
                guardedCall([&] { operation(*m_model); });
        };
    };
    if (auto *field = qobject_cast<CEnterEdit *>(widget)) {
        connect(field, &CEnterEdit::completed, this, forward([id](CAutoDlg &model) { model.enterPressed(id); }));
        connect(field, &CEnterEdit::tabbed, this, forward([id](CAutoDlg &model) { model.tabPressed(id); }));
        connect(field, &QLineEdit::textEdited, this, forward([id](CAutoDlg &model) { model.fieldEdited(id); }));
    } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
        connect(list, &QComboBox::activated, this, forward([id](CAutoDlg &model) { model.selectionChanged(id); }));
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        connect(button, &QAbstractButton::clicked, this, forward([id](CAutoDlg &model) { model.clicked(id); }));
    }
}

QWidget *QtCAutoDlg::control(ConfigControl id) const
{
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

QComboBox *QtCAutoDlg::comboBox(ConfigControl id) const { return qobject_cast<QComboBox *>(control(id)); }

void QtCAutoDlg::setText(ConfigControl id, const std::string &text)
{
    QWidget *widget = control(id);
    const QString shown = shownText(id, text);
    if (auto *field = qobject_cast<QLineEdit *>(widget)) {
        field->setText(shown);
    } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
        // A value that is not in a fixed list shows as no entry, never as the
        // entry that happened to be selected before.
        if (list->isEditable())
            list->setEditText(shown);
        else
            list->setCurrentIndex(list->findText(shown));
    } else if (auto *label = qobject_cast<QLabel *>(widget)) {
        label->setText(shown);
    }
}

std::string QtCAutoDlg::text(ConfigControl id) const
{
    QWidget *widget = control(id);
    if (auto *field = qobject_cast<QLineEdit *>(widget))
        return modelText(id, field->text());
    if (auto *list = qobject_cast<QComboBox *>(widget))
        return modelText(id, list->currentText());
    if (auto *label = qobject_cast<QLabel *>(widget))
        return modelText(id, label->text());
    return {};
}

void QtCAutoDlg::setListEntries(ConfigControl id, const std::vector<std::string> &entries)
{
    QComboBox *list = comboBox(id);
    if (!list)
        return;
    const QString kept = list->currentText();
    list->clear();
    for (const std::string &entry : entries)
        list->addItem(shownText(id, entry));
    if (list->isEditable())
        list->setEditText(kept);
}

void QtCAutoDlg::setEnabled(ConfigControl id, bool enabled)
{
    if (QWidget *widget = control(id))
        widget->setEnabled(enabled);
}

void QtCAutoDlg::setBackground(ConfigControl id, Rgb colour)
{
    QWidget *widget = control(id);
    if (auto *field = qobject_cast<CEnterEdit *>(widget))
        field->setBackgroundColor(toQColor(colour));
    else if (auto *label = qobject_cast<CXColorStatic *>(widget))
        label->setBackgroundColor(toQColor(colour));
}

void QtCAutoDlg::setSwitchImage(ConfigControl id, bool on)
{
    if (auto *button = qobject_cast<ImageSwitch *>(control(id)))
        button->setImageOn(on);
}

void QtCAutoDlg::setFocus(ConfigControl id)
{
    if (QWidget *widget = control(id))
        widget->setFocus(Qt::OtherFocusReason);
}

void QtCAutoDlg::selectAll(ConfigControl id)
{
    if (auto *field = qobject_cast<QLineEdit *>(control(id)))
        field->selectAll();
}

void QtCAutoDlg::showMemoryMap(const MemoryMap &map)
{
    if (m_memoryMap)
        m_memoryMap->setMap(map);
}

MessageAnswer QtCAutoDlg::showMessage(const MessageRequest &request)
{
    return QtDialogHost(*this, {}).showMessage(request);
}

std::optional<std::filesystem::path> QtCAutoDlg::chooseFile(const FileDialogRequest &request)
{
    return runFileDialog(request, this);
}

void QtCAutoDlg::startOneShotTimer(ConfigTimer which, std::chrono::milliseconds delay)
{
    timer(which).start(delay);
}

void QtCAutoDlg::stopTimer(ConfigTimer which) { timer(which).stop(); }

bool QtCAutoDlg::isTimerActive(ConfigTimer which) const
{
    return m_timers[static_cast<std::size_t>(which)].isActive();
}

DialogResult QtCAutoDlg::runPagesEditor(auto_2 &editor)
{
    QtAuto2 dialog(this);
    return editor.run(dialog);
}

DialogResult QtCAutoDlg::runModal(CAutoDlg &dialog)
{
    attach(dialog);
    const int result = exec();
    m_model = nullptr;
    return result == QDialog::Accepted ? DialogResult::Ok : DialogResult::Cancel;
}

void QtCAutoDlg::endDialog(DialogResult result)
{
    // Hiding the window takes the focus from its field, which reports it:
    // the model has finished and hears nothing more.
    m_model = nullptr;
    for (QTimer &each : m_timers)
        each.stop();
    done(result == DialogResult::Ok ? QDialog::Accepted : QDialog::Rejected);
}

void QtCAutoDlg::reject()
{
    if (m_model)
        guardedCall([this] { m_model->cancel(); });
    else
        QDialog::reject();
}

} // namespace teb::gui
