#include "qt_cqv58_dlg.h"

#include "artwork.h"
#include "controls/enter_edit.h"
#include "controls/image_switch.h"
#include "controls/x_color_static.h"
#include "qt_cqv58_dlg_layout.h"
#include "qt_text.h"

#include "windows/main/terminal_text.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QPushButton>
#include <QTimer>

#include <stdexcept>

namespace teb::gui {
namespace {

} // namespace

QtCQV58Dlg::QtCQV58Dlg(QWidget *parent) : QDialog(parent), m_widgets(controlCount(), nullptr)
{
    qApp->installEventFilter(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(programIcon());
    setObjectName(QStringLiteral("QtCQV58Dlg"));
    buildMenuBar();
    buildControls();
}

// The controls are destroyed after this object's own part: what they still
// signal then (a box losing the focus) must not reach it.
QtCQV58Dlg::~QtCQV58Dlg()
{
    qApp->removeEventFilter(this);
    for (QWidget *control : m_widgets) {
        if (control != nullptr)
            QObject::disconnect(control, nullptr, this, nullptr);
    }
}

void QtCQV58Dlg::buildMenuBar()
{
    m_menuBar = new QMenuBar(this);
    m_menuBar->setNativeMenuBar(false);
    std::map<QString, QMenu *> menus;
    for (const MenuItem item : {MenuItem::FileJournal, MenuItem::FileExit, MenuItem::InterfaceSettings,
                                MenuItem::InterfaceDeviceManager,
                                MenuItem::Config, MenuItem::TerminalShow, MenuItem::TerminalClear, MenuItem::HelpInfo}) {
        const MenuItemInfo &info = menuItemInfo(item);
        QAction *action = nullptr;
        if (info.item.empty()) {
            action = m_menuBar->addAction(fromLatin1(std::string(info.menu)));
        } else {
            const QString title = fromLatin1(std::string(info.menu));
            QMenu *&menu = menus[title];
            if (menu == nullptr)
                menu = m_menuBar->addMenu(title);
            action = menu->addAction(fromLatin1(std::string(info.item)));
        }
        action->setCheckable(item == MenuItem::TerminalShow);
        if (item == MenuItem::FileJournal)
            action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
        connect(action, &QAction::triggered, this, [this, item] { report([&] { m_events->menuCommand(item); }); });
        m_menuActions[item] = action;
    }
    const int menuHeight = m_menuBar->sizeHint().height();
    m_menuBar->setGeometry(0, 0, kClientAreaSize.width(), menuHeight);
}

QAction *QtCQV58Dlg::menuAction(MenuItem item) const
{
    const auto found = m_menuActions.find(item);
    return found == m_menuActions.end() ? nullptr : found->second;
}

QWidget &QtCQV58Dlg::fitting(Control id, ControlOperation operation) const
{
    const ControlInfo &info = controlInfo(id);
    QWidget *control = widget(id);
    if (!controlAccepts(info.kind, operation) || control == nullptr)
        throw std::logic_error("the main window has no such operation for " + std::string(info.name));
    return *control;
}

// --- controls

// A status strip line longer than its box (a long journal path) keeps its
// start and its end; the whole line is the box's tooltip.
QString QtCQV58Dlg::elidedToFit(QLabel &label, const QString &text)
{
    label.setToolTip(text);
    const int room = label.contentsRect().width() - 2 * label.indent();
    if (room <= 0)
        return text;
    return label.fontMetrics().elidedText(text, Qt::ElideMiddle, room);
}

void QtCQV58Dlg::setText(Control id, const std::string &text)
{
    QWidget &control = fitting(id, ControlOperation::Text);
    if (id == Control::TerminalView) {
        m_terminalText = text;
        showTerminalText();
        return;
    }
    if (id == Control::TraceView) {
        textView(id).setPlainText(linesFromUtf8(text));
        return;
    }
    // A set name becomes a file name: UTF-8 like every name that does.
    QString shown = id == Control::SetNameLabel ? QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                                                : fromLatin1(text);
    auto *label = qobject_cast<QLabel *>(&control);
    if (label != nullptr && (id == Control::StatusPort || id == Control::StatusReader || id == Control::StatusJob))
        shown = elidedToFit(*label, shown);
    m_textsSet[id] = {text, shown};
    if (label != nullptr)
        label->setText(shown);
    else if (auto *edit = qobject_cast<QLineEdit *>(&control))
        edit->setText(shown);
    else if (auto *button = qobject_cast<QAbstractButton *>(&control))
        button->setText(shown);
}

std::string QtCQV58Dlg::text(Control id) const
{
    QWidget &control = fitting(id, ControlOperation::Text);
    if (id == Control::TerminalView)
        return m_terminalText;
    if (id == Control::TraceView)
        return toUtf8(textView(id).toPlainText());
    QString shown;
    if (auto *label = qobject_cast<QLabel *>(&control))
        shown = label->text();
    else if (auto *edit = qobject_cast<QLineEdit *>(&control))
        shown = edit->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(&control))
        shown = button->text();
    const auto set = m_textsSet.find(id);
    if (set != m_textsSet.end() && set->second.second == shown)
        return set->second.first;
    return toLatin1(shown);
}

void QtCQV58Dlg::setChecked(Control id, bool checked)
{
    static_cast<QAbstractButton &>(fitting(id, ControlOperation::Check)).setChecked(checked);
}

bool QtCQV58Dlg::isChecked(Control id) const
{
    return static_cast<QAbstractButton &>(fitting(id, ControlOperation::Check)).isChecked();
}

void QtCQV58Dlg::setEnabled(Control id, bool enabled) { fitting(id, ControlOperation::EnableOrShow).setEnabled(enabled); }
void QtCQV58Dlg::setVisible(Control id, bool visible) { fitting(id, ControlOperation::EnableOrShow).setVisible(visible); }

void QtCQV58Dlg::setTextColour(Control id, Rgb colour)
{
    QWidget &control = fitting(id, ControlOperation::Colour);
    if (auto *label = qobject_cast<CXColorStatic *>(&control)) {
        label->setTextColor(toQColor(colour));
    } else if (auto *edit = qobject_cast<CEnterEdit *>(&control)) {
        edit->setTextColor(toQColor(colour));
    } else {
        QPalette colours = control.palette();
        colours.setColor(QPalette::Text, toQColor(colour));
        control.setPalette(colours);
    }
}

void QtCQV58Dlg::setBackground(Control id, Rgb colour)
{
    QWidget &control = fitting(id, ControlOperation::Colour);
    if (auto *label = qobject_cast<CXColorStatic *>(&control)) {
        label->setBackgroundColor(toQColor(colour));
    } else if (auto *edit = qobject_cast<CEnterEdit *>(&control)) {
        edit->setBackgroundColor(toQColor(colour));
    } else {
        QPalette colours = control.palette();
        colours.setColor(QPalette::Base, toQColor(colour));
        control.setPalette(colours);
        if (control.isVisible())
            control.update();
    }
}

void QtCQV58Dlg::setSwitchImage(Control id, bool on)
{
    static_cast<ImageSwitch &>(fitting(id, ControlOperation::SwitchImage)).setImageOn(on);
}

// As on every toolkit: a hidden or disabled control does not take the focus.
void QtCQV58Dlg::setFocus(Control id)
{
    QWidget &control = fitting(id, ControlOperation::Focus);
    if (control.isEnabled() && control.isVisibleTo(this))
        control.setFocus(Qt::OtherFocusReason);
}

void QtCQV58Dlg::selectAll(Control id)
{
    static_cast<QLineEdit &>(fitting(id, ControlOperation::SelectText)).selectAll();
}

namespace {

// Only the new lines go into the view, above the ones it shows; the oldest
// beyond the limit go.
void prependLines(QPlainTextEdit &view, const QString &lines)
{
    QTextDocument &document = *view.document();
    QTextCursor(&document).insertText(lines);
    // The text ends in a line break: one empty block follows the lines kept.
    const int blocksKept = static_cast<int>(kTerminalLineLimit) + 1;
    if (document.blockCount() > blocksKept) {
        QTextCursor oldest(document.findBlockByNumber(blocksKept - 1));
        oldest.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        oldest.removeSelectedText();
    }
}

} // namespace

void QtCQV58Dlg::prependTerminalText(const std::string &text)
{
    m_terminalText.insert(0, text);
    keepNewestLines(m_terminalText);
    prependLines(terminalView(), linesFromLatin1(text));
}

void QtCQV58Dlg::prependTraceText(const std::string &utf8Lines)
{
    prependLines(textView(Control::TraceView), linesFromUtf8(utf8Lines));
}

void QtCQV58Dlg::showTerminalText() { terminalView().setPlainText(linesFromLatin1(m_terminalText)); }

QPlainTextEdit &QtCQV58Dlg::terminalView() const { return textView(Control::TerminalView); }

QPlainTextEdit &QtCQV58Dlg::textView(Control id) const { return static_cast<QPlainTextEdit &>(*widget(id)); }

// Any thread: a queued call never blocks and runs on the window's thread.
void QtCQV58Dlg::post()
{
    QMetaObject::invokeMethod(
        this, [this] { report([&] { m_events->inboxPosted(); }); }, Qt::QueuedConnection);
}

// --- the window

void QtCQV58Dlg::setWindowTitle(const std::string &title) { QDialog::setWindowTitle(fromLatin1(title)); }

void QtCQV58Dlg::setWindowSize(int width, int height)
{
    setFixedSize(width, height);
    m_menuBar->resize(width, m_menuBar->height());
}

void QtCQV58Dlg::setMenuChecked(MenuItem item, bool checked)
{
    if (QAction *action = menuAction(item))
        action->setChecked(checked);
}

void QtCQV58Dlg::setMenuEnabled(MenuItem item, bool enabled)
{
    if (QAction *action = menuAction(item))
        action->setEnabled(enabled);
}

// The desktop offers no system menu to extend: the item goes to the window's
// context menu.
void QtCQV58Dlg::appendSystemMenuItem(const std::string &text)
{
    if (text.empty())
        return;
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *separator = new QAction(this);
    separator->setSeparator(true);
    addAction(separator);
    auto *info = new QAction(fromLatin1(text), this);
    connect(info, &QAction::triggered, this, [this] { report([&] { m_events->menuCommand(MenuItem::SystemMenuInfo); }); });
    addAction(info);
    m_menuActions[MenuItem::SystemMenuInfo] = info;
}

void QtCQV58Dlg::repaintWindow() { update(); }
void QtCQV58Dlg::beep() { QApplication::beep(); }

// While the model runs an operation the window takes only what may end
// it: "Stop", "Cont On" (which switches continuous programming off), Escape
// and the close box. Every other click, key or wheel turn in the window is
// dropped, so that nothing the operation reads later changes under it.
// Boxes and dialogs over the window are not touched.
bool QtCQV58Dlg::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_inputLocked || !m_inputLocked())
        return terminalHistoryKey(watched, event);
    auto *target = qobject_cast<QWidget *>(watched);
    if (target == nullptr || target->window() != this)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return target != widget(Control::StopButton) && target != widget(Control::ContOnButton);
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
            report([&] { m_events->escape(); });
        return true;
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu: return true;
    default: return false;
    }
}

void QtCQV58Dlg::startTimer(int id, std::chrono::milliseconds period)
{
    if (m_ending)
        return; // a timer started now would run a cycle after the close
    QTimer *&timer = m_timers[id];
    if (timer == nullptr) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] { report([&] { m_events->tick(id); }); });
    }
    timer->start(period);
}

void QtCQV58Dlg::stopTimer(int id)
{
    if (const auto found = m_timers.find(id); found != m_timers.end())
        found->second->stop();
}

// A dialog may have a box of its own open: each goes, the topmost first.
void QtCQV58Dlg::cancelBoxes()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == this)
        return;
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->reject();
    else
        modal->close();
    QTimer::singleShot(0, this, &QtCQV58Dlg::cancelBoxes);
}

void QtCQV58Dlg::endDialog(DialogResult result)
{
    m_ending = true;
    m_endResult = result == DialogResult::Ok ? QDialog::Accepted : QDialog::Rejected;
    for (auto &[id, timer] : m_timers)
        timer->stop();
    cancelDialogsThenEnd();
}

void QtCQV58Dlg::stopFromOutside()
{
    m_stoppedFromOutside = true;
    endDialog(DialogResult::Cancel);
}

// A dialog's run ends only once its own event loop gets control back, and
// the model may open the next box then: cancel until none is left.
void QtCQV58Dlg::cancelDialogsThenEnd()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != this) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        QTimer::singleShot(0, this, &QtCQV58Dlg::cancelDialogsThenEnd);
        return;
    }
    done(m_endResult);
}

// Up and Down in the terminal line step through the commands sent.
bool QtCQV58Dlg::terminalHistoryKey(QObject *watched, QEvent *event)
{
    if (watched != widget(Control::TerminalInput) || event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return false;
    const SpinDirection direction = key == Qt::Key_Up ? SpinDirection::Up : SpinDirection::Down;
    report([&] { m_events->spinStep(Control::TerminalInput, direction); });
    return true;
}

// --- keys and the close box

void QtCQV58Dlg::reject() { report([&] { m_events->escape(); }); }

void QtCQV58Dlg::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        report([&] { m_events->escape(); });
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A button with the focus takes Enter as its own click, as in any
        // dialog; elsewhere Enter is the window's default action.
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        else
            report([&] { m_events->defaultAction(); });
        return;
    default: QDialog::keyPressEvent(event);
    }
}

void QtCQV58Dlg::closeEvent(QCloseEvent *event)
{
    if (m_ending || m_events == nullptr) {
        event->accept();
        return;
    }
    event->ignore();
    report([&] { m_events->closeRequest(); });
}

} // namespace teb::gui
