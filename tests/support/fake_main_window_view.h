#pragma once

#include "app/main_window_view.h"

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <ostream>
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
    std::optional<bool> switchOn; // image shown; unset until the model sets one
};

// A main window without a window system: records what the model does to it
// and lets a test act as the operator before calling the model's operation.
// Message boxes answer OK (No to questions); file dialogs are cancelled.
class FakeMainWindowView final : public MainWindowView {
public:
    FakeMainWindowView() : m_controls(controlCount()) {}

    // Texts are shared with the reader's receive thread.
    template <typename Action>
    auto locked(Action action) const
    {
        const std::scoped_lock lock(m_textMutex);
        return action();
    }
    void setText(Control id, const std::string &text) override { locked([&] { at(id).text = text; }); }
    std::string text(Control id) const override { return locked([&] { return control(id).text; }); }
    void prependTerminalText(const std::string &text) override
    {
        locked([&] { at(Control::TerminalView).text.insert(0, text); });
    }
    void setChecked(Control id, bool checked) override { at(id).checked = checked; }
    bool isChecked(Control id) const override { return control(id).checked; }
    void setEnabled(Control id, bool enabled) override { at(id).enabled = enabled; }
    void setVisible(Control id, bool visible) override { at(id).visible = visible; }
    void setTextColour(Control id, Rgb colour) override { at(id).textColour = colour; }
    void setBackground(Control id, Rgb colour) override { at(id).background = colour; }
    void setSwitchImage(Control id, bool on) override { at(id).switchOn = on; }
    void setFocus(Control id) override { focusHistory.push_back(id); }
    void selectAll(Control id) override { selections.push_back(id); }
    void setWindowTitle(const std::string &text) override { title = text; }
    void setWindowSize(int newWidth, int newHeight) override { width = newWidth, height = newHeight; }
    void setMenuChecked(MenuItem item, bool checked) override { menuChecks[item] = checked; }
    void setMenuEnabled(MenuItem, bool) override {}
    void appendSystemMenuItem(const std::string &text) override { systemMenuItems.push_back(text); }
    void repaintWindow() override {}
    void startTimer(int id, std::chrono::milliseconds period) override
    {
        timerLog.push_back("start " + std::to_string(id) + " " + std::to_string(period.count()));
    }
    void stopTimer(int id) override { timerLog.push_back("stop " + std::to_string(id)); }
    MessageAnswer showMessage(const MessageRequest &request) override
    {
        messages.push_back(request);
        return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    std::optional<std::string> chooseFile(const FileDialogRequest &) override { return std::nullopt; }
    void showAboutBox() override {}
    void openDeviceManager() override {}
    CI2DlgView::Result runInterfaceSettingsDialog(CI2Dlg &dialog) override
    {
        return interfaceSettingsDialog ? interfaceSettingsDialog(dialog) : CI2DlgView::Result::Cancel;
    }
    void endDialog(DialogResult result) override { endResult = result; }

    // The operator clicks: the check state flips before the model hears of it.
    void toggle(Control id) { at(id).checked = !at(id).checked; }
    const FakeControl &control(Control id) const { return m_controls.at(static_cast<std::size_t>(id)); }
    std::optional<Control> focus() const
    {
        return focusHistory.empty() ? std::nullopt : std::optional(focusHistory.back());
    }

    // The operator's work in "Interface Settings"; without one it is cancelled.
    std::function<CI2DlgView::Result(CI2Dlg &)> interfaceSettingsDialog;

    std::vector<MessageRequest> messages;
    std::vector<Control> focusHistory;
    std::vector<Control> selections;
    std::string title;
    int width = 0;
    int height = 0;
    std::map<MenuItem, bool> menuChecks;
    std::vector<std::string> systemMenuItems;
    std::vector<std::string> timerLog; // "start 3 10", "stop 5", in order
    std::optional<DialogResult> endResult;

private:
    FakeControl &at(Control id) { return m_controls.at(static_cast<std::size_t>(id)); }

    std::vector<FakeControl> m_controls;
    mutable std::mutex m_textMutex;
};

} // namespace teb::test

namespace teb {
// Readable names in failure messages.
inline void PrintTo(Control id, std::ostream *out) { *out << controlInfo(id).name; }
inline void PrintTo(const MessageRequest &request, std::ostream *out)
{
    *out << "{\"" << request.caption << "\", \"" << request.text << "\", icon " << static_cast<int>(request.icon)
         << ", buttons " << static_cast<int>(request.buttons) << "}";
}
} // namespace teb
