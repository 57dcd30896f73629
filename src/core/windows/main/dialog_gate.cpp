#include "windows/main/dialog_gate.h"

namespace teb {

bool DialogGate::opens()
{
    if (m_closed)
        return false;
    ++m_shown;
    return true;
}

MessageAnswer DialogGate::showMessage(const MessageRequest &request)
{
    if (!opens())
        return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    return m_host.showMessage(request);
}

std::optional<std::filesystem::path> DialogGate::chooseFile(const FileDialogRequest &request)
{
    return opens() ? m_host.chooseFile(request) : std::nullopt;
}

void DialogGate::showAboutBox()
{
    if (opens())
        m_host.showAboutBox();
}

void DialogGate::showDeviceList()
{
    if (opens())
        m_host.showDeviceList();
}

CI2DlgView::Result DialogGate::runCI2Dlg(CI2Dlg &dialog)
{
    return opens() ? m_host.runCI2Dlg(dialog) : CI2DlgView::Result::Cancel;
}

DialogResult DialogGate::runCAutoDlg(CAutoDlg &dialog)
{
    return opens() ? m_host.runCAutoDlg(dialog) : DialogResult::Cancel;
}

void DialogGate::runCJournalDlg(CJournalDlg &dialog)
{
    if (opens())
        m_host.runCJournalDlg(dialog);
}

} // namespace teb
