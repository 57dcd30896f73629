#pragma once

#include "windows/main/cqv58_dlg_events.h"
#include "windows/main/cqv58_dlg_view.h"
#include "guarded_call.h"
#include "window_manager_close.h"

#include <QDialog>

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QMenuBar;
class QPlainTextEdit;
class QTimer;

class QLabel;

namespace teb::gui {

// The station's main window. It draws what the model says and reports the
// operator's actions to CQV58DlgEvents; it decides nothing itself. Run
// modally: the model ends it with endDialog.
class QtCQV58Dlg final : public QDialog, public CQV58DlgView {
    Q_OBJECT
public:
    explicit QtCQV58Dlg(QWidget *parent = nullptr);
    ~QtCQV58Dlg() override;

    // Before the model's initialise: where the reports go.
    void setEvents(CQV58DlgEvents *events) { m_events = events; }
    // While this holds (the model runs an operation) the window takes only
    // what may end it; the rest of the operator's input is dropped.
    void setInputLock(std::function<bool()> locked) { m_inputLocked = std::move(locked); }
    // Thread-safe: the window is on its way out.
    bool ending() const { return m_ending; }
    // The boxes and dialogs open over the window go, as if cancelled.
    void cancelBoxes();

    // The widget of a control; nullptr for a control without one.
    QWidget *widget(Control id) const { return m_widgets.at(static_cast<std::size_t>(id)); }
    QAction *menuAction(MenuItem item) const;

    // Ends the window from outside (a stop signal): no more reports reach
    // the model, the dialogs open over the window are cancelled, then the
    // window ends with "Cancel". Before the modal run it keeps it from starting.
    void stopFromOutside();
    bool stoppedFromOutside() const { return m_stoppedFromOutside; }

    // CQV58DlgView
    void setText(Control id, const std::string &text) override;
    std::string text(Control id) const override;
    void setChecked(Control id, bool checked) override;
    bool isChecked(Control id) const override;
    void setEnabled(Control id, bool enabled) override;
    void setVisible(Control id, bool visible) override;
    void setTextColour(Control id, Rgb colour) override;
    void setBackground(Control id, Rgb colour) override;
    void setSwitchImage(Control id, bool on) override;
    void setFocus(Control id) override;
    void selectAll(Control id) override;
    void prependTerminalText(const std::string &text) override;
    void prependTraceText(const std::string &utf8Lines) override;
    void post() override;
    void setWindowTitle(const std::string &title) override;
    void setWindowSize(int width, int height) override;
    void setMenuChecked(MenuItem item, bool checked) override;
    void setMenuEnabled(MenuItem item, bool enabled) override;
    void appendSystemMenuItem(const std::string &text) override;
    void repaintWindow() override;
    void beep() override;
    bool takeInterrupts() override { return !m_ending; }
    void startTimer(int id, std::chrono::milliseconds period) override;
    void stopTimer(int id) override;
    void endDialog(DialogResult result) override;

    using QDialog::setEnabled;
    using QDialog::setFocus;
    using QDialog::setVisible;
    using QDialog::setWindowTitle;
    using QDialog::startTimer;

public slots:
    void reject() override; // Escape, wherever Qt routes it

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool terminalHistoryKey(QObject *watched, QEvent *event);
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    static QString elidedToFit(QLabel &label, const QString &text);
    void buildMenuBar();
    void buildControls();
    QWidget *createControl(Control id, QWidget *parent);
    void connectControl(Control id, QWidget *widget);
    void showTerminalText();
    QPlainTextEdit &terminalView() const;
    QPlainTextEdit &textView(Control id) const;
    void cancelDialogsThenEnd();
    QWidget &fitting(Control id, ControlOperation operation) const;
    // Reports reach the model only while it listens and the window runs;
    // every slot and event handler hands on through here.
    template <typename Report>
    void report(Report report)
    {
        if (m_events != nullptr && !m_ending)
            guardedCall(report);
    }

    CQV58DlgEvents *m_events = nullptr;
    QMenuBar *m_menuBar = nullptr;
    std::vector<QWidget *> m_widgets;
    std::map<MenuItem, QAction *> m_menuActions;
    std::map<int, QTimer *> m_timers;
    // The texts last set into edit boxes and labels, handed back unchanged
    // while the widget still shows them.
    std::map<Control, std::pair<std::string, QString>> m_textsSet;
    // The terminal view's text as the model has it (a plain-text widget
    // would turn its CR LF into LF).
    std::string m_terminalText;
    std::atomic<bool> m_ending = false;
    std::function<bool()> m_inputLocked;
    int m_endResult = QDialog::Rejected;
    bool m_stoppedFromOutside = false;
    // Declared last: it reports to this window while it lives.
    WindowManagerClose m_windowManagerClose{*this, [this] { report([&] { m_events->closeRequest(); }); }};
};

} // namespace teb::gui
