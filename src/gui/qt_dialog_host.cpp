#include "qt_dialog_host.h"

#include "about_box.h"
#include "device_list_dialog.h"
#include "file_dialog.h"
#include "qt_cauto_dlg.h"
#include "qt_ci2_dlg.h"
#include "qt_cjournal_dlg.h"
#include "qt_text.h"

#include <QMessageBox>

namespace teb::gui {
namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None: return QMessageBox::NoIcon;
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QtDialogHost::QtDialogHost(QWidget &owner, DirectorySource workingDirectory)
    : m_owner(owner), m_workingDirectory(std::move(workingDirectory))
{
}

MessageAnswer QtDialogHost::showMessage(const MessageRequest &request)
{
    const bool question = request.buttons == MessageButtons::YesNo;
    QMessageBox box(toQtIcon(request.icon), fromLatin1(request.caption), linesFromLatin1(request.text),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, &m_owner);
    box.setDefaultButton(!question ? QMessageBox::Ok : request.defaultNo ? QMessageBox::No : QMessageBox::Yes);
    const int answer = box.exec();
    if (!question)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

std::optional<std::filesystem::path> QtDialogHost::chooseFile(const FileDialogRequest &request)
{
    return runFileDialog(request, &m_owner);
}

void QtDialogHost::showAboutBox()
{
    AboutBox box(&m_owner);
    box.exec();
}

void QtDialogHost::showDeviceList()
{
    DeviceListDialog list(m_workingDirectory(), &m_owner);
    list.exec();
}

CI2DlgView::Result QtDialogHost::runCI2Dlg(CI2Dlg &dialog)
{
    QtCI2Dlg window(&m_owner);
    return dialog.run(window);
}

void QtDialogHost::runCJournalDlg(CJournalDlg &dialog)
{
    QtCJournalDlg window(&m_owner);
    window.run(dialog);
}

DialogResult QtDialogHost::runCAutoDlg(CAutoDlg &dialog)
{
    QtCAutoDlg window(&m_owner);
    return dialog.run(window);
}

} // namespace teb::gui
