#pragma once

#include "windows/main/dialog_host.h"
#include "support/fake_dialog_view.h"

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace teb::test {

// The main window's dialogs without a window system. Message boxes take
// their answers from a script in order; once it runs out they answer OK, and
// No to questions. File dialogs answer from their own script, then cancel.
class FakeDialogHost final : public DialogHost {
public:
    MessageAnswer showMessage(const MessageRequest &request) override
    {
        messages.push_back(request);
        if (whileMessageShows)
            whileMessageShows(request);
        return takeNext(messageAnswers,
                        request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok);
    }
    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &) override
    {
        return takeNext(fileAnswers, std::optional<std::filesystem::path>());
    }
    void showAboutBox() override {}
    void showDeviceList() override {}
    CI2DlgView::Result runCI2Dlg(CI2Dlg &dialog) override
    {
        return interfaceSettingsDialog ? interfaceSettingsDialog(dialog) : CI2DlgView::Result::Cancel;
    }
    DialogResult runCAutoDlg(CAutoDlg &dialog) override
    {
        return configDialog ? configDialog(dialog) : DialogResult::Cancel;
    }
    void runCJournalDlg(CJournalDlg &dialog) override
    {
        if (journalDialog)
            journalDialog(dialog);
    }
    // The operator's actions in the journal window; none: it is closed at once.
    std::function<void(CJournalDlg &)> journalDialog;

    std::vector<std::string> messageTexts() const { return textsOf(messages); }

    std::vector<MessageRequest> messages;
    std::deque<MessageAnswer> messageAnswers;
    // Runs while a box is showing, as the box's own event loop would run
    // the window's timers and queued calls.
    std::function<void(const MessageRequest &)> whileMessageShows;
    std::deque<std::optional<std::filesystem::path>> fileAnswers;
    // The operator's work in "Interface Settings"; without one it is cancelled.
    std::function<CI2DlgView::Result(CI2Dlg &)> interfaceSettingsDialog;
    // The operator's work in "Config", e.g. dialog.run on a FakeCAutoDlgView;
    // without one it is cancelled.
    std::function<DialogResult(CAutoDlg &)> configDialog;
};

} // namespace teb::test
