#include "reader/interface_settings_command.h"
#include "reader/interface_settings_texts.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace teb {
namespace {

// A dialog window that keeps what the model shows; a test acts as the operator while it runs.
class FakeI2DlgView final : public CI2DlgView {
public:
    void setComboEntries(I2Combo combo, const std::vector<std::string> &list) override { entries[combo] = list; }
    void selectComboEntry(I2Combo combo, std::size_t index) override { texts[combo] = entries[combo].at(index); }
    void setComboText(I2Combo combo, const std::string &text) override { texts[combo] = text; }
    std::string comboText(I2Combo combo) const override { return texts.at(combo); }
    Result runModal() override
    {
        for (const auto &[combo, text] : typed)
            texts[combo] = text;
        return answer;
    }

    std::map<I2Combo, std::vector<std::string>> entries;
    std::map<I2Combo, std::string> texts;
    std::map<I2Combo, std::string> typed; // what the operator types before closing
    Result answer = Result::Ok;
};

struct CodeTextCase {
    std::int32_t (*fromText)(std::string_view);
    std::string text;
    std::int32_t code;
};

class CodeFromText : public testing::TestWithParam<CodeTextCase> {};

TEST_P(CodeFromText, ComparesExactlyAndCaseSensitively)
{
    EXPECT_EQ(GetParam().fromText(GetParam().text), GetParam().code) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    AllLists, CodeFromText,
    testing::Values(CodeTextCase{parityCodeFromText, "Odd", 1}, CodeTextCase{parityCodeFromText, "Even", 2},
                    CodeTextCase{parityCodeFromText, "Space", 4}, CodeTextCase{parityCodeFromText, "even", 0},
                    CodeTextCase{stopBitsCodeFromText, "1.5", 1}, CodeTextCase{stopBitsCodeFromText, "1.50", 0},
                    CodeTextCase{stopBitsCodeFromText, "2", 2}, CodeTextCase{flowControlCodeFromText, "Xon / Xoff", 1},
                    CodeTextCase{flowControlCodeFromText, "Xon/Xoff", 0},
                    CodeTextCase{flowControlCodeFromText, "Hardware", 2}));

// ---- the "Interface" / "Settings" command -------------------------------------

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
        return closeSucceeds;
    }
    PortHandle openPort(const InterfaceSettings &with) override
    {
        log.push_back("open " + with.portName);
        openedWith = with;
        return openResult;
    }
    void showMessage(const std::string &caption, MessageIcon icon, const std::string &text) override
    {
        log.push_back(caption + (icon == MessageIcon::Stop ? " [stop] " : " [?] ") + text);
    }
    CI2DlgView::Result runDialog(CI2Dlg &dialog) override
    {
        log.push_back("dialog");
        return dialog.run(view);
    }

    InterfaceSettings settings{"com12", 1, 8, parity::Even, stopbits::OneAndHalf, 7};
    PortHandle handle = 4;
    bool open = true;
    bool closeSucceeds = true;
    PortHandle openResult = 5;
    InterfaceSettings openedWith;
    FakeI2DlgView view;
    std::vector<std::string> log;
};

const CI2Dlg::PortListSource kPorts = [] { return std::vector<std::string>{"COM2", "COM12", "COM1"}; };

TEST(InterfaceSettingsCommand, TheDialogShowsEachValueAsAnEntryOrAsTyped)
{
    FakeHost host;
    host.settings.baudRate = -7;
    runInterfaceSettings(host, kPorts);
    auto &view = host.view;
    EXPECT_EQ(view.entries[I2Combo::Port], (std::vector<std::string>{"COM1", "COM12", "COM2"}));
    EXPECT_EQ(view.entries[I2Combo::BaudRate].back(), "256000");
    EXPECT_EQ(view.entries[I2Combo::DataBits], (std::vector<std::string>{"4", "5", "6", "7", "8"}));
    EXPECT_EQ(view.entries[I2Combo::FlowControl], (std::vector<std::string>{"No", "Xon / Xoff", "Hardware"}));
    const std::map<I2Combo, std::string> shown{{I2Combo::Port, "COM12"},  {I2Combo::BaudRate, "-7"},
                                               {I2Combo::DataBits, "8"},  {I2Combo::Parity, "Even"},
                                               {I2Combo::StopBits, "1.5"}, {I2Combo::FlowControl, "No"}};
    EXPECT_EQ(view.texts, shown);
}

TEST(InterfaceSettingsCommand, OkReopensThePortWithTheTypedValues)
{
    FakeHost host;
    host.view.typed = {{I2Combo::Port, "COM3"},    {I2Combo::BaudRate, " 19200 baud"}, {I2Combo::DataBits, "eight"},
                       {I2Combo::Parity, "Odd"}, {I2Combo::StopBits, "1.50"},       {I2Combo::FlowControl, "Hardware"}};
    runInterfaceSettings(host, kPorts);

    const InterfaceSettings expected{"COM3", 19200, 0, parity::Odd, stopbits::One, flowcontrol::Hardware};
    EXPECT_EQ(host.settings, expected);
    EXPECT_EQ(host.openedWith, expected);
    EXPECT_EQ(host.handle, 5);
    EXPECT_TRUE(host.open);
    EXPECT_EQ(host.log, (std::vector<std::string>{"take", "stop 3", "stop 5", "close 4", "dialog", "take",
                                                  "open COM3", "start 3 10", "start 5 500", "show"}));
}

TEST(InterfaceSettingsCommand, CancelReopensWithUnchangedValues)
{
    FakeHost host;
    const InterfaceSettings before = host.settings;
    host.view.answer = CI2DlgView::Result::Cancel;
    runInterfaceSettings(host, [] { return std::vector<std::string>{}; });
    EXPECT_TRUE(host.view.entries[I2Combo::Port].empty());
    EXPECT_EQ(host.view.texts[I2Combo::Port], "com12"); // no ports: the name as it stands
    EXPECT_EQ(host.settings, before);
    EXPECT_EQ(host.openedWith, before);
    EXPECT_TRUE(host.open);
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

TEST(InterfaceSettingsCommand, AnOpenFailureLeavesThePortClosedAndSaysSo)
{
    FakeHost host;
    host.openResult = kNoPort;
    host.view.typed = {{I2Combo::Port, "COM42"}};
    runInterfaceSettings(host, kPorts);
    EXPECT_EQ(host.handle, kNoPort);
    EXPECT_FALSE(host.open);
    EXPECT_EQ(host.log.at(7), "Tag Encoder Bench [stop] COM42 could not be opened!");
    EXPECT_EQ(host.log.back(), "show");
}

} // namespace
} // namespace teb
