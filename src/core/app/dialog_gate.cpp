#include "app/dialog_gate.h"

namespace teb {

MessageAnswer DialogGate::showMessage(const MessageRequest &request)
{
    if (m_closed)
        return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    return m_host.showMessage(request);
}

std::optional<std::filesystem::path> DialogGate::chooseFile(const FileDialogRequest &request)
{
    return m_closed ? std::nullopt : m_host.chooseFile(request);
}

void DialogGate::showAboutBox()
{
    if (!m_closed)
        m_host.showAboutBox();
}

void DialogGate::showDeviceList()
{
    if (!m_closed)
        m_host.showDeviceList();
}

CI2DlgView::Result DialogGate::runInterfaceSettingsDialog(CI2Dlg &dialog)
{
    return m_closed ? CI2DlgView::Result::Cancel : m_host.runInterfaceSettingsDialog(dialog);
}

DialogResult DialogGate::runConfigDialog(CAutoDlg &dialog)
{
    return m_closed ? DialogResult::Cancel : m_host.runConfigDialog(dialog);
}

void DialogGate::runJournalDialog(CJournalDlg &dialog)
{
    if (!m_closed)
        m_host.runJournalDialog(dialog);
}

} // namespace teb
