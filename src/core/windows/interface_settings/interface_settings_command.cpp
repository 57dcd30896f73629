#include "windows/interface_settings/interface_settings_command.h"

#include "reader/open_failure.h"

namespace teb {
namespace {

constexpr const char *kCaption = "Tag Encoder Bench";
constexpr const char *kCloseFailedText = "Can't close COM Port.";

void closeBeforeEditing(InterfaceSettingsHost &host)
{
    if (host.closePort(host.portHandle())) {
        host.portHandle() = kNoPort;
        host.portOpen() = false;
    } else {
        host.showMessage(kCaption, InterfaceSettingsHost::MessageIcon::Stop, kCloseFailedText);
    }
}

void editSettings(InterfaceSettingsHost &host, const CI2Dlg::PortListSource &portList)
{
    CI2Dlg dialog(portList);
    dialog.fillFrom(host.interfaceSettings());
    const CI2DlgView::Result result = host.runDialog(dialog);
    host.takeFromControls();
    if (result == CI2DlgView::Result::Ok)
        dialog.applyTo(host.interfaceSettings());
}

void reopenWithCurrentSettings(InterfaceSettingsHost &host, const CI2Dlg::PortListSource &portList)
{
    const InterfaceSettings &settings = host.interfaceSettings();
    host.portHandle() = host.openPort(settings);
    host.portOpen() = isUsablePort(host.portHandle());
    if (!host.portOpen())
        host.showMessage(kCaption, InterfaceSettingsHost::MessageIcon::Stop,
                         openFailedMessage(settings.portName, host.openFailure(), portList));
}

} // namespace

void runInterfaceSettings(InterfaceSettingsHost &host, const CI2Dlg::PortListSource &portList)
{
    host.takeFromControls();
    host.stopTimer(InterfaceSettingsHost::kCycleTimerId);
    host.stopTimer(InterfaceSettingsHost::kDeferredTimerId);

    closeBeforeEditing(host);
    if (!host.portOpen()) {
        editSettings(host, portList);
        reopenWithCurrentSettings(host, portList);
    }

    host.startTimer(InterfaceSettingsHost::kCycleTimerId, InterfaceSettingsHost::kCycleTimerInterval);
    host.startTimer(InterfaceSettingsHost::kDeferredTimerId, InterfaceSettingsHost::kDeferredTimerInterval);
    host.showInControls();
}

} // namespace teb
