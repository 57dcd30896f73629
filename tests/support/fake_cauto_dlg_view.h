#pragma once

#include "windows/config/cauto_dlg.h"
#include "support/fake_dialog_view.h"
#include "support/fake_auto_2_view.h"

#include <chrono>
#include <filesystem>
#include <set>

namespace teb::test {

// The "Config" dialog without a window system: besides what every fake
// dialog does, it lets a test fire the one-shot timers; file dialogs and
// "Config Pages 3-17" are cancelled.
class FakeCAutoDlgView final : public FakeDialogView<FakeCAutoDlgView, CAutoDlgView, ConfigControl, CAutoDlg> {
public:
    void setListEntries(ConfigControl id, const std::vector<std::string> &entries) override
    {
        controls[id].entries = entries;
    }
    void setBackground(ConfigControl id, Rgb colour) override { controls[id].background = colour; }
    void showMemoryMap(const MemoryMap &) override {}
    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &) override { return std::nullopt; }
    void startOneShotTimer(ConfigTimer timer, std::chrono::milliseconds) override { runningTimers.insert(timer); }
    void stopTimer(ConfigTimer timer) override { runningTimers.erase(timer); }
    DialogResult runPagesEditor(auto_2 &editor) override
    {
        FakeAuto_2View pagesView; // cancelled
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

    std::set<ConfigTimer> runningTimers;
};

} // namespace teb::test
