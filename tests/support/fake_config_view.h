#pragma once

#include "windows/config/cauto_dlg.h"
#include "support/fake_pages_editor_view.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace teb::test {

// The "Config" dialog without a window system: holds the controls' values,
// records what the model does, answers message boxes and file dialogs from
// scripts and lets a test fire the one-shot timers. Unscripted questions are
// answered No, unscripted file dialogs cancelled.
class FakeConfigView final : public CAutoDlgView {
public:
    struct Control {
        std::string text;
        std::vector<std::string> entries;
        bool enabled = true;
        std::optional<Rgb> background;
        std::optional<bool> switchOn;
    };

    void setText(ConfigControl id, const std::string &text) override { controls[id].text = text; }
    std::string text(ConfigControl id) const override
    {
        const auto found = controls.find(id);
        return found == controls.end() ? std::string() : found->second.text;
    }
    void setListEntries(ConfigControl id, const std::vector<std::string> &entries) override
    {
        controls[id].entries = entries;
    }
    void setEnabled(ConfigControl id, bool enabled) override { controls[id].enabled = enabled; }
    void setBackground(ConfigControl id, Rgb colour) override { controls[id].background = colour; }
    void setSwitchImage(ConfigControl id, bool on) override { controls[id].switchOn = on; }
    void setFocus(ConfigControl id) override { focus = id; }
    void selectAll(ConfigControl id) override { selected = id; }
    void showMemoryMap(const MemoryMap &map) override { memoryMap = map; }
    MessageAnswer showMessage(const MessageRequest &request) override
    {
        messages.push_back(request);
        if (whileMessageShows)
            whileMessageShows(request);
        if (request.buttons != MessageButtons::YesNo)
            return MessageAnswer::Ok;
        if (answers.empty())
            return MessageAnswer::No;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &request) override
    {
        fileRequests.push_back(request);
        if (fileChoices.empty())
            return std::nullopt;
        std::optional<std::filesystem::path> choice = fileChoices.front();
        fileChoices.pop_front();
        return choice;
    }
    void startOneShotTimer(ConfigTimer timer, std::chrono::milliseconds delay) override
    {
        runningTimers.insert(timer);
        lastDelay = delay;
    }
    void stopTimer(ConfigTimer timer) override { runningTimers.erase(timer); }
    DialogResult runPagesEditor(auto_2 &editor) override
    {
        pagesEditorInput = editor.data();
        FakePagesEditorView pagesView;
        pagesView.operatorActions = pagesEditorActions;
        return editor.run(pagesView);
    }
    DialogResult runModal(CAutoDlg &dialog) override
    {
        if (operatorActions)
            operatorActions(dialog, *this);
        return endResult.value_or(DialogResult::Cancel);
    }
    void endDialog(DialogResult result) override { endResult = result; }

    // --- the operator
    void type(ConfigControl id, const std::string &text) { controls[id].text = text; }
    void typeAndEnter(CAutoDlg &dialog, ConfigControl id, const std::string &text)
    {
        type(id, text);
        dialog.enterPressed(id);
    }
    void choose(CAutoDlg &dialog, ConfigControl list, const std::string &entry)
    {
        type(list, entry);
        dialog.selectionChanged(list);
    }
    // A running one-shot timer fires once.
    bool fire(CAutoDlg &dialog, ConfigTimer timer)
    {
        if (runningTimers.erase(timer) == 0)
            return false;
        dialog.timerFired(timer);
        return true;
    }

    // --- what the model left
    bool isOn(ConfigControl id) const { return control(id).switchOn.value_or(false); }
    bool isEnabled(ConfigControl id) const { return control(id).enabled; }
    std::optional<Rgb> background(ConfigControl id) const { return control(id).background; }
    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> texts;
        for (const MessageRequest &request : messages)
            texts.push_back(request.text);
        return texts;
    }
    const Control &control(ConfigControl id) const
    {
        static const Control none;
        const auto found = controls.find(id);
        return found == controls.end() ? none : found->second;
    }

    std::map<ConfigControl, Control> controls;
    std::vector<MessageRequest> messages;
    std::deque<MessageAnswer> answers;
    // Runs while a box is showing, e.g. the field's report that it lost the focus to the box.
    std::function<void(const MessageRequest &)> whileMessageShows;
    std::vector<FileDialogRequest> fileRequests;
    std::deque<std::optional<std::filesystem::path>> fileChoices;
    std::set<ConfigTimer> runningTimers;
    std::optional<std::chrono::milliseconds> lastDelay;
    std::optional<ConfigControl> focus;
    std::optional<ConfigControl> selected;
    std::optional<MemoryMap> memoryMap;
    std::optional<PagesEditorData> pagesEditorInput;
    // The operator's work in "Config Pages 3-17"; without any it is cancelled.
    std::function<void(auto_2 &, FakePagesEditorView &)> pagesEditorActions;
    std::function<void(CAutoDlg &, FakeConfigView &)> operatorActions;
    std::optional<DialogResult> endResult;
};

} // namespace teb::test
