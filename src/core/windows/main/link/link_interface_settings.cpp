// "Interface" / "Settings" on the main window: the command runs against the
// link through the host interface of the reader link.
#include "windows/main/link/link_part.h"

#include "windows/interface_settings/interface_settings_command.h"
#include "windows/main/cqv58_dlg_timers.h"

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

static_assert(InterfaceSettingsHost::kCycleTimerId == kCycleTimerId);
static_assert(InterfaceSettingsHost::kCycleTimerInterval == kCycleTimerPeriod);
static_assert(InterfaceSettingsHost::kDeferredTimerId == kRequestTimerId);
static_assert(InterfaceSettingsHost::kDeferredTimerInterval == kRequestTimerPeriod);

} // namespace

class LinkPart::InterfaceHost final : public InterfaceSettingsHost {
public:
    explicit InterfaceHost(LinkPart &link) : m_link(link) {}

    void takeFromControls() override { m_link.m_window.takeFromControls(); }
    void showInControls() override { m_link.m_window.showInControls(); }
    void stopTimer(int timerId) override { m_link.m_view.stopTimer(timerId); }
    void startTimer(int timerId, std::chrono::milliseconds interval) override
    {
        m_link.m_view.startTimer(timerId, interval);
    }
    InterfaceSettings &interfaceSettings() override { return m_link.m_state.interfaceSettings; }
    PortHandle &portHandle() override { return m_link.m_state.portHandle; }
    bool &portOpen() override { return m_link.m_state.portOpen; }
    // Nothing is known of a reader behind a port opened again.
    bool closePort(PortHandle handle) override
    {
        m_link.m_state.readerActivity.forget();
        return m_link.m_port.Close(handle);
    }
    PortHandle openPort(const InterfaceSettings &settings) override
    {
        m_link.m_state.readerActivity.forget();
        return m_link.m_port.Open(settings);
    }
    std::optional<OpenFailure> openFailure() const override { return m_link.m_port.openFailure(); }
    void showMessage(const std::string &caption, MessageIcon icon, const std::string &text) override
    {
        m_link.m_dialogs.showMessage(MessageRequest{text, caption, messageIcon(icon), MessageButtons::Ok});
    }
    CI2DlgView::Result runDialog(CI2Dlg &dialog) override { return m_link.m_dialogs.runCI2Dlg(dialog); }

private:
    LinkPart &m_link;
};

void LinkPart::runInterfaceSettings()
{
    m_state.lostPort.reset(); // the operator's choice now holds, whether it opens or not
    InterfaceHost host(*this);
    teb::runInterfaceSettings(host, m_portListSource);
}

} // namespace teb
