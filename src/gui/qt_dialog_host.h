#pragma once

#include "windows/main/dialog_host.h"

#include <filesystem>
#include <functional>

class QWidget;

namespace teb::gui {

// The main window's dialogs as Qt shows them, each modal over the window.
class QtDialogHost final : public DialogHost {
public:
    using DirectorySource = std::function<std::filesystem::path()>;

    // `owner` is the window the dialogs open over; `workingDirectory` tells
    // the device list where the station looks for "COMn" links.
    QtDialogHost(QWidget &owner, DirectorySource workingDirectory);

    MessageAnswer showMessage(const MessageRequest &request) override;
    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &request) override;
    void showAboutBox() override;
    void showDeviceList() override;
    CI2DlgView::Result runCI2Dlg(CI2Dlg &dialog) override;
    DialogResult runCAutoDlg(CAutoDlg &dialog) override;
    void runCJournalDlg(CJournalDlg &dialog) override;

private:
    QWidget &m_owner;
    DirectorySource m_workingDirectory;
};

} // namespace teb::gui
