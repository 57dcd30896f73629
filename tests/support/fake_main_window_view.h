#pragma once

#include "app/main_window_view.h"

#include <deque>
#include <functional>
#include <iosfwd>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace teb::test {

// What the fake view holds for one control.
struct FakeControl {
    std::string text;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    std::optional<Rgb> textColour;
    std::optional<Rgb> background;
    std::optional<bool> switchOn;   // image shown; unset until the model sets one
};

// A main window without a window system: records what the model does to it,
// answers message boxes and file dialogs from a script, and lets a test act
// as the operator (type, click) before calling the model's operation.
class FakeMainWindowView final : public MainWindowView {
public:
    FakeMainWindowView();

    // --- MainWindowView
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
    void setWindowTitle(const std::string &title) override;
    void setWindowSize(int width, int height) override;
    void setMenuChecked(MenuItem item, bool checked) override;
    void setMenuEnabled(MenuItem item, bool enabled) override;
    void appendSystemMenuItem(const std::string &text) override;
    void repaintWindow() override { ++repaints; }
    void startTimer(int id, std::chrono::milliseconds period) override;
    void stopTimer(int id) override;
    MessageAnswer showMessage(const MessageRequest &request) override;
    std::optional<std::string> chooseFile(const FileDialogRequest &request) override;
    void showAboutBox() override;
    void openDeviceManager() override;
    CI2DlgView::Result runInterfaceSettingsDialog(CI2Dlg &dialog) override;
    void endDialog(DialogResult result) override;

    // --- the operator
    void type(Control id, const std::string &text) { setText(id, text); }
    void toggle(Control id);   // a click's change of the check state, before the model hears of it

    // --- scripts
    void answerNextMessage(MessageAnswer answer) { m_messageAnswers.push_back(answer); }
    void answerNextFileDialog(std::optional<std::string> file) { m_fileAnswers.push_back(std::move(file)); }

    // The operator's work in the "Interface Settings" dialog; without one the
    // dialog is left with "Cancel".
    std::function<CI2DlgView::Result(CI2Dlg &)> interfaceSettingsDialog;

    // --- records
    const FakeControl &control(Control id) const;
    bool timerRunning(int id) const { return timers.contains(id); }

    std::vector<MessageRequest> messages;
    std::vector<FileDialogRequest> fileDialogs;
    std::optional<Control> focus;
    std::vector<Control> focusHistory;
    std::vector<Control> selections;
    std::string title;
    int width = 0;
    int height = 0;
    std::map<MenuItem, bool> menuChecks;
    std::map<MenuItem, bool> menuEnabled;
    int repaints = 0;
    std::vector<std::string> systemMenuItems;
    std::map<int, std::chrono::milliseconds> timers;
    std::vector<std::string> timerLog;       // "start 3 10", "stop 5", in order
    int aboutBoxes = 0;
    int deviceManagerOpenings = 0;
    int interfaceSettingsDialogs = 0;
    std::optional<DialogResult> endResult;

private:
    FakeControl &mutableControl(Control id);

    std::vector<FakeControl> m_controls;
    mutable std::mutex m_terminalMutex;  // the terminal view's text, shared with the receive thread
    std::deque<MessageAnswer> m_messageAnswers;
    std::deque<std::optional<std::string>> m_fileAnswers;
};

} // namespace teb::test

namespace teb {
// Readable names in failure messages.
void PrintTo(Control id, std::ostream *out);
void PrintTo(const MessageRequest &request, std::ostream *out);
} // namespace teb
