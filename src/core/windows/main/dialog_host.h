#pragma once

#include "common/dialog_types.h"
#include "windows/journal_history/cjournal_dlg.h"
#include "windows/config/cauto_dlg.h"
#include "windows/interface_settings/ci2_dlg.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace teb {

// The modal boxes and dialogs that a window model opens. Each call shows its
// dialog over the main window and returns when the operator has closed it.
// Every sub-dialog has one method of its own here, taking the dialog's model.
class DialogHost {
public:
    virtual ~DialogHost() = default;

    virtual MessageAnswer showMessage(const MessageRequest &request) = 0;
    // nullopt: cancelled. The path is in the system's own encoding.
    virtual std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &request) = 0;
    virtual void showAboutBox() = 0;
    virtual void showDeviceList() = 0; // the serial devices the station can use
    // "Interface Settings": dialog.run on a dialog view.
    virtual CI2DlgView::Result runCI2Dlg(CI2Dlg &dialog) = 0;
    // "Config", the parameter set editor: dialog.run on a dialog view; what
    // it hands back is then dialog.result().
    virtual DialogResult runCAutoDlg(CAutoDlg &dialog) = 0;
    // The carrier-ID journal's history: dialog.open on a dialog view, shown
    // until the operator closes it.
    virtual void runCJournalDlg(CJournalDlg &dialog) = 0;
};

// A message with an OK button alone, in a box of its own.
inline void showOkMessage(DialogHost &dialogs, std::string text, std::string_view caption, MessageIcon icon)
{
    dialogs.showMessage(MessageRequest{std::move(text), std::string(caption), icon, MessageButtons::Ok});
}

} // namespace teb
