#pragma once

#include "app/dialog_host.h"

namespace teb {

// The main window's dialogs, closed once the window is on its way out: an
// operation that winds down after the close box shows no more boxes (a
// message is taken as read, a question answered No) and opens no dialog.
class DialogGate final : public DialogHost {
public:
    explicit DialogGate(DialogHost &host) : m_host(host) {}

    void setClosed(bool closed) { m_closed = closed; }
    bool closed() const { return m_closed; }

    MessageAnswer showMessage(const MessageRequest &request) override;
    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &request) override;
    void showAboutBox() override;
    void showDeviceList() override;
    CI2DlgView::Result runInterfaceSettingsDialog(CI2Dlg &dialog) override;
    DialogResult runConfigDialog(CAutoDlg &dialog) override;
    void runJournalDialog(CJournalDlg &dialog) override;

private:
    DialogHost &m_host;
    bool m_closed = false;
};

} // namespace teb
