#pragma once

#include "windows/main/cqv58_dlg_view.h"
#include "windows/main/dialog_host.h"

namespace teb::gui {

class EventRelay;
class GuiCalls;
class QtCQV58Dlg;

// The main window as a model on its own thread sees it: every call runs on
// the window's thread and returns when it is done there.
class CrossThreadView final : public CQV58DlgView {
public:
    CrossThreadView(QtCQV58Dlg &window, GuiCalls &calls, EventRelay &relay)
        : m_window(window), m_calls(calls), m_relay(relay)
    {
    }

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
    bool takeInterrupts() override;
    void startTimer(int id, std::chrono::milliseconds period) override;
    void stopTimer(int id) override;
    void endDialog(DialogResult result) override;

private:
    template <typename Call>
    auto onWindow(Call call) const;

    QtCQV58Dlg &m_window;
    GuiCalls &m_calls;
    EventRelay &m_relay;
};

// The main window's boxes and dialogs, shown on the window's thread. Once
// the window ends none is shown (a message is taken as read, a question
// answered No). When one closes, the model hears at once what the operator
// did meanwhile (the close box).
class CrossThreadDialogs final : public DialogHost {
public:
    CrossThreadDialogs(DialogHost &dialogs, const QtCQV58Dlg &window, GuiCalls &calls, EventRelay &relay)
        : m_dialogs(dialogs), m_window(window), m_calls(calls), m_relay(relay)
    {
    }

    MessageAnswer showMessage(const MessageRequest &request) override;
    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &request) override;
    void showAboutBox() override;
    void showDeviceList() override;
    CI2DlgView::Result runCI2Dlg(CI2Dlg &dialog) override;
    DialogResult runCAutoDlg(CAutoDlg &dialog) override;
    void runCJournalDlg(CJournalDlg &dialog) override;

private:
    template <typename Result, typename Call>
    Result shown(Result whenEnded, Call call);
    template <typename Call>
    void shown(Call call);

    DialogHost &m_dialogs;
    const QtCQV58Dlg &m_window;
    GuiCalls &m_calls;
    EventRelay &m_relay;
};

} // namespace teb::gui
