#pragma once

#include "windows/config/cauto_dlg.h"
#include "support/fake_dialog_view.h"
#include "support/fake_pages_editor_view.h"

#include <chrono>
#include <filesystem>
#include <set>

namespace teb::test {

// The "Config" dialog without a window system: besides what every fake
// dialog does, it answers file dialogs from a script (then cancels), lets a
// test fire the one-shot timers and runs "Config Pages 3-17" on its own fake.
class FakeConfigView final : public FakeDialogView<FakeConfigView, CAutoDlgView, ConfigControl, CAutoDlg> {
public:
    void setListEntries(ConfigControl id, const std::vector<std::string> &entries) override
    {
        controls[id].entries = entries;
    }
    void setBackground(ConfigControl id, Rgb colour) override { controls[id].background = colour; }
    void showMemoryMap(const MemoryMap &map) override { memoryMap = map; }
    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &request) override
    {
        fileRequests.push_back(request);
        return takeNext(fileChoices, std::optional<std::filesystem::path>());
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

    std::vector<FileDialogRequest> fileRequests;
    std::deque<std::optional<std::filesystem::path>> fileChoices;
    std::set<ConfigTimer> runningTimers;
    std::optional<std::chrono::milliseconds> lastDelay;
    std::optional<MemoryMap> memoryMap;
    std::optional<PagesEditorData> pagesEditorInput;
    // The operator's work in "Config Pages 3-17"; without any it is cancelled.
    std::function<void(auto_2 &, FakePagesEditorView &)> pagesEditorActions;
};

} // namespace teb::test
