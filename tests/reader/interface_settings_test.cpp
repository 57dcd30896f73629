#include "windows/interface_settings/interface_settings_command.h"
#include "reader/interface_settings_texts.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace teb {
namespace {

// The main window as "Interface" / "Settings" sees it, logging every call,
// and the dialog window, keeping what the model shows; the test acts as the operator.
class FakeHost final : public InterfaceSettingsHost, public CI2DlgView {
public:
    void setComboEntries(I2Combo combo, const std::vector<std::string> &list) override { entries[combo] = list; }
    void selectComboEntry(I2Combo combo, std::size_t index) override { texts[combo] = entries[combo].at(index); }
    void setComboText(I2Combo combo, const std::string &text) override { texts[combo] = text; }
    std::string comboText(I2Combo combo) const override { return texts.at(combo); }
    Result runModal() override
    {
        shownAtOpen = texts;
        for (const auto &[combo, text] : typed)
            texts[combo] = text;
        return Result::Ok;
    }
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
        return closeSucceeds;
    }
    PortHandle openPort(const InterfaceSettings &with) override
    {
        log.push_back("open " + with.portName + " " + std::to_string(with.baudRate));
        return 5;
    }
    std::optional<OpenFailure> openFailure() const override { return std::nullopt; }
    void showMessage(const std::string &caption, MessageIcon icon, const std::string &text) override
    {
        log.push_back(caption + (icon == MessageIcon::Stop ? " [stop] " : " [?] ") + text);
    }
    CI2DlgView::Result runDialog(CI2Dlg &dialog) override
    {
        log.push_back("dialog");
        return dialog.run(*this);
    }

    InterfaceSettings settings{"com12", 1, 9, parity::Even, stopbits::OneAndHalf, 7};
    PortHandle handle = 4;
    bool open = true;
    bool closeSucceeds = true;
    std::map<I2Combo, std::vector<std::string>> entries;
    std::map<I2Combo, std::string> texts, shownAtOpen;
    std::map<I2Combo, std::string> typed; // what the operator types before closing
    std::vector<std::string> log;
};

const CI2Dlg::PortListSource kPorts = [] { return std::vector<std::string>{"COM2", "COM12", "COM1"}; };

TEST(InterfaceSettingsCommand, OkShowsTheValuesAndReopensThePortWithTheTypedOnes)
{
    FakeHost host;
    host.typed = {{I2Combo::Port, "COM3"},    {I2Combo::BaudRate, " 19200 baud"}, {I2Combo::DataBits, "eight"},
                       {I2Combo::Parity, "Odd"}, {I2Combo::StopBits, "1.50"},       {I2Combo::FlowControl, "Hardware"}};
    runInterfaceSettings(host, kPorts);

    const std::map<I2Combo, std::vector<std::string>> entries{
        {I2Combo::Port, {"COM1", "COM12", "COM2"}},
        {I2Combo::BaudRate, {"110", "300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "38400", "56000",
                             "57600", "115200", "128000", "256000"}},
        {I2Combo::DataBits, {"4", "5", "6", "7", "8"}},
        {I2Combo::Parity, {"None", "Odd", "Even", "Mark", "Space"}},
        {I2Combo::StopBits, {"1", "1.5", "2"}},
        {I2Combo::FlowControl, {"No", "Xon / Xoff", "Hardware"}}};
    // The texts stand for the codes both ways: a code without a text shows the
    // first, an unknown text reads as the first code.
    EXPECT_EQ(host.entries, entries);
    // The first entry that begins with the value, letter case ignored; else the value as it stands.
    const std::map<I2Combo, std::string> shown{{I2Combo::Port, "COM12"},  {I2Combo::BaudRate, "110"},
                                               {I2Combo::DataBits, "9"},  {I2Combo::Parity, "Even"},
                                               {I2Combo::StopBits, "1.5"}, {I2Combo::FlowControl, "No"}};
    EXPECT_EQ(host.shownAtOpen, shown);

    const InterfaceSettings expected{"COM3", 19200, 0, parity::Odd, stopbits::One, flowcontrol::Hardware};
    EXPECT_EQ(host.settings, expected);
    EXPECT_EQ(host.handle, 5);
    EXPECT_TRUE(host.open);
    EXPECT_EQ(host.log, (std::vector<std::string>{"take", "stop 3", "stop 5", "close 4", "dialog", "take",
                                                  "open COM3 19200", "start 3 10", "start 5 500", "show"}));
}

TEST(InterfaceSettingsCommand, ACloseFailureSkipsTheDialogAndKeepsThePort)
{
    FakeHost host;
    host.closeSucceeds = false;
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
