// "Interface" / "Settings" as the main window runs it: the port closed,
// the dialog, the port opened again, the timers stopped and restarted.
#include "windows/interface_settings/interface_settings_command.h"

#include <gtest/gtest.h>

namespace teb {
namespace {

// The main window as "Interface" / "Settings" sees it, logging every call;
// its port refuses to close.
class FakeHost final : public InterfaceSettingsHost {
public:
    void takeFromControls() override { log.push_back("take"); }
    void showInControls() override { log.push_back("show"); }
    void stopTimer(int id) override { log.push_back("stop " + std::to_string(id)); }
    void startTimer(int id, std::chrono::milliseconds interval) override
    {
        log.push_back("start " + std::to_string(id) + " " + std::to_string(interval.count()));
    }
    InterfaceSettings &interfaceSettings() override { return settings; }
    PortHandle &portHandle() override { return handle; }
    bool &portOpen() override { return open; }
    bool closePort(PortHandle closing) override
    {
        log.push_back("close " + std::to_string(closing));
        return false;
    }
    PortHandle openPort(const InterfaceSettings &) override { return 5; }
    std::optional<OpenFailure> openFailure() const override { return std::nullopt; }
    void showMessage(const std::string &caption, MessageIcon icon, const std::string &text) override
    {
        log.push_back(caption + (icon == MessageIcon::Stop ? " [stop] " : " [?] ") + text);
    }
    CI2DlgView::Result runDialog(CI2Dlg &) override
    {
        log.push_back("dialog");
        return CI2DlgView::Result::Cancel;
    }

    InterfaceSettings settings{"com12", 1, 9, parity::Even, stopbits::OneAndHalf, 7};
    PortHandle handle = 4;
    bool open = true;
    std::vector<std::string> log;
};

const CI2Dlg::PortListSource kPorts = [] { return std::vector<std::string>{"COM2", "COM12", "COM1"}; };

TEST(InterfaceSettingsCommand, ACloseFailureSkipsTheDialogAndKeepsThePort)
{
    FakeHost host;
    runInterfaceSettings(host, kPorts);
    EXPECT_EQ(host.handle, 4);
    EXPECT_TRUE(host.open);
    EXPECT_EQ(host.log, (std::vector<std::string>{"take", "stop 3", "stop 5", "close 4",
                                                  "Tag Encoder Bench [stop] Can't close COM Port.", "start 3 10",
                                                  "start 5 500", "show"}));
}

} // namespace
} // namespace teb
