#pragma once

#include "windows/main/dialog_host.h"

#include <cstddef>

namespace teb {

// The main window's dialogs, closed once the window is on its way out: an
// operation that winds down after the close box shows no more boxes (a
// message is taken as read, a question answered No) and opens no dialog.
class DialogGate final : public DialogHost {
public:
    explicit DialogGate(DialogHost &host) : m_host(host) {}

    void setClosed(bool closed) { m_closed = closed; }
    bool closed() const { return m_closed; }
    // How many boxes and dialogs were shown so far.
    std::size_t shown() const { return m_shown; }

    MessageAnswer showMessage(const MessageRequest &request) override;
    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &request) override;
    void showAboutBox() override;
    void showDeviceList() override;
    CI2DlgView::Result runCI2Dlg(CI2Dlg &dialog) override;
    DialogResult runCAutoDlg(CAutoDlg &dialog) override;
    void runCJournalDlg(CJournalDlg &dialog) override;

private:
    bool opens(); // false while closed; counts what is shown

    DialogHost &m_host;
    bool m_closed = false;
    std::size_t m_shown = 0;
};

} // namespace teb
