#include "windows/interface_settings/interface_settings_command.h"
#include "reader/interface_settings_texts.h"

#include <gtest/gtest.h>

#include <tuple>

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

// The settings file's texts map through the same lists, read leniently.
TEST(SettingsInterfaceTexts, CodesFollowTheFirstWordFoundInTheText)
{
    const std::tuple<const char *, const char *, const char *, int, int, int> cases[] = {
        {"1.5", "Odd", "Xon / Xoff", stopbits::OneAndHalf, parity::Odd, flowcontrol::XonXoff},
        {"1.52", "OddMark", "Hardware Xon / Xoff", stopbits::Two, parity::Mark, flowcontrol::XonXoff},
        {"", "Space", "Hardware", stopbits::One, parity::Space, flowcontrol::Hardware}};
    for (const auto &[stopText, parityWord, flowText, stopCode, parityCode, flowCode] : cases) {
        EXPECT_EQ(std::tuple(readStopBitsSetting(stopText), readParitySetting(parityWord),
                             readFlowControlSetting(flowText)),
                  std::tuple(stopCode, parityCode, flowCode)) << parityWord;
    }
}

} // namespace
} // namespace teb
