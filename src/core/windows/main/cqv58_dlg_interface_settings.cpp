// "Interface" / "Settings" on the main window: the command runs against the
// window through the host interface of the reader link.
#include "windows/main/cqv58_dlg.h"

#include "windows/interface_settings/interface_settings_command.h"

namespace teb {
namespace {

MessageIcon messageIcon(InterfaceSettingsHost::MessageIcon icon)
{
    switch (icon) {
    case InterfaceSettingsHost::MessageIcon::Information: return MessageIcon::Information;
    case InterfaceSettingsHost::MessageIcon::Warning: return MessageIcon::Warning;
    case InterfaceSettingsHost::MessageIcon::Stop: return MessageIcon::Stop;
    case InterfaceSettingsHost::MessageIcon::Question: return MessageIcon::Question;
    }
    return MessageIcon::None;
}

} // namespace

class CQV58Dlg::InterfaceHost final : public InterfaceSettingsHost {
public:
    explicit InterfaceHost(CQV58Dlg &window) : m_window(window) {}

    void takeFromControls() override { m_window.takeFromControls(); }
    void showInControls() override { m_window.showInControls(); }
    void stopTimer(int timerId) override { m_window.view().stopTimer(timerId); }
    void startTimer(int timerId, std::chrono::milliseconds interval) override
    {
        m_window.view().startTimer(timerId, interval);
    }
    InterfaceSettings &interfaceSettings() override { return m_window.m_link.interfaceSettings; }
    PortHandle &portHandle() override { return m_window.m_link.portHandle; }
    bool &portOpen() override { return m_window.m_link.portOpen; }
    // Nothing is known of a reader behind a port opened again.
    bool closePort(PortHandle handle) override
    {
        m_window.m_link.readerActivity.forget();
        return m_window.readerPort().Close(handle);
    }
    PortHandle openPort(const InterfaceSettings &settings) override
    {
        m_window.m_link.readerActivity.forget();
        return m_window.readerPort().Open(settings);
    }
    std::optional<OpenFailure> openFailure() const override { return m_window.readerPort().openFailure(); }
    void showMessage(const std::string &caption, MessageIcon icon, const std::string &text) override
    {
        m_window.dialogs().showMessage(MessageRequest{text, caption, messageIcon(icon), MessageButtons::Ok});
    }
    CI2DlgView::Result runDialog(CI2Dlg &dialog) override
    {
        return m_window.dialogs().runCI2Dlg(dialog);
    }

private:
    CQV58Dlg &m_window;
};

namespace {

static_assert(InterfaceSettingsHost::kCycleTimerId == kCycleTimerId);
static_assert(InterfaceSettingsHost::kCycleTimerInterval == kCycleTimerPeriod);
static_assert(InterfaceSettingsHost::kDeferredTimerId == kRequestTimerId);
static_assert(InterfaceSettingsHost::kDeferredTimerInterval == kRequestTimerPeriod);

} // namespace

void CQV58Dlg::runInterfaceSettings()
{
    m_link.lostPort.reset(); // the operator's choice now holds, whether it opens or not
    InterfaceHost host(*this);
    teb::runInterfaceSettings(host, m_portListSource);
}

} // namespace teb
