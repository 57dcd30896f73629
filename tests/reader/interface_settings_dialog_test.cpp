#include "reader/combo_list.h"
#include "reader/interface_settings_command.h"
#include "reader/interface_settings_dialog.h"
#include "reader/interface_settings_texts.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <utility>

namespace teb {
namespace {

// A dialog window that keeps what the model shows and lets a test act as
// the operator while it runs.
class FakeI2DlgView final : public CI2DlgView {
public:
    struct Combo {
        std::vector<std::string> entries;
        std::string text;
    };

    void setComboEntries(I2Combo combo, const std::vector<std::string> &entries) override
    {
        combos[combo].entries = entries;
    }
    void selectComboEntry(I2Combo combo, std::size_t index) override
    {
        combos[combo].text = combos[combo].entries.at(index);
    }
    void setComboText(I2Combo combo, const std::string &text) override { combos[combo].text = text; }
    std::string comboText(I2Combo combo) const override { return combos.at(combo).text; }
    Result runModal() override
    {
        if (operatorActs)
            operatorActs(*this);
        return answer;
    }

    std::map<I2Combo, Combo> combos;
    std::function<void(FakeI2DlgView &)> operatorActs;
    Result answer = Result::Ok;
};

// ---- code and text mappings -------------------------------------------------

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
    testing::Values(CodeTextCase{parityCodeFromText, "None", 0}, CodeTextCase{parityCodeFromText, "Odd", 1},
                    CodeTextCase{parityCodeFromText, "Even", 2}, CodeTextCase{parityCodeFromText, "Mark", 3},
                    CodeTextCase{parityCodeFromText, "Space", 4}, CodeTextCase{parityCodeFromText, "even", 0},
                    CodeTextCase{parityCodeFromText, "Even ", 0}, CodeTextCase{stopBitsCodeFromText, "1", 0},
                    CodeTextCase{stopBitsCodeFromText, "1.5", 1}, CodeTextCase{stopBitsCodeFromText, "1.50", 0},
                    CodeTextCase{stopBitsCodeFromText, "2", 2}, CodeTextCase{flowControlCodeFromText, "No", 0},
                    CodeTextCase{flowControlCodeFromText, "Xon / Xoff", 1},
                    CodeTextCase{flowControlCodeFromText, "Xon/Xoff", 0},
                    CodeTextCase{flowControlCodeFromText, "Hardware", 2},
                    CodeTextCase{flowControlCodeFromText, "hardware", 0}));

TEST(CodeToText, UnknownCodesShowTheFirstEntry)
{
    EXPECT_EQ(parityText(4), "Space");
    EXPECT_EQ(parityText(5), "None");
    EXPECT_EQ(parityText(-1), "None");
    EXPECT_EQ(stopBitsText(1), "1.5");
    EXPECT_EQ(stopBitsText(3), "1");
    EXPECT_EQ(flowControlText(2), "Hardware");
    EXPECT_EQ(flowControlText(9), "No");
}

TEST(DialogTexts, RoundTripThroughTheSixFields)
{
    const InterfaceSettings settings{"COM12", 57600, 7, parity::Mark, stopbits::Two, flowcontrol::XonXoff};
    CI2Dlg dialog(nullptr);
    dialog.fillFrom(settings);
    EXPECT_EQ(dialog.baudRateText, "57600");
    EXPECT_EQ(dialog.parityText, "Mark");
    EXPECT_EQ(dialog.flowControlText, "Xon / Xoff");
    InterfaceSettings back;
    dialog.applyTo(back);
    EXPECT_EQ(back, settings);
}

TEST(DialogTexts, TypedNumbersAreReadLeniently)
{
    CI2Dlg dialog(nullptr);
    dialog.baudRateText = " 9600 baud";
    dialog.dataBitsText = "eight";
    InterfaceSettings settings;
    dialog.applyTo(settings);
    EXPECT_EQ(settings.baudRate, 9600);
    EXPECT_EQ(settings.dataBits, 0);
}

// ---- list order and selection -----------------------------------------------

TEST(ComboList, SortsInPlainTextOrderIgnoringCase)
{
    std::vector<std::string> ports{"COM2", "COM12", "com3", "COM1", "COM10"};
    sortLikeListBox(ports);
    EXPECT_EQ(ports, (std::vector<std::string>{"COM1", "COM10", "COM12", "COM2", "com3"}));
}

TEST(ComboList, SelectsTheFirstEntryBeginningWithTheText)
{
    const std::vector<std::string> ports{"COM1", "COM10", "COM2"};
    EXPECT_EQ(firstEntryBeginningWith(ports, "com1"), 0u);
    EXPECT_EQ(firstEntryBeginningWith(ports, "COM10"), 1u);
    EXPECT_EQ(firstEntryBeginningWith(ports, "COM"), 0u);
    EXPECT_EQ(firstEntryBeginningWith(ports, "COM3"), std::nullopt);
    EXPECT_EQ(firstEntryBeginningWith(ports, "COM10 "), std::nullopt);
    EXPECT_EQ(firstEntryBeginningWith({}, ""), std::nullopt);
}

TEST(DialogOpening, ShowsSortedPortsAndEachTextBySelectionOrAsTyped)
{
    CI2Dlg dialog([] { return std::vector<std::string>{"COM2", "COM12", "COM1"}; });
    dialog.fillFrom({"com12", 1, 8, parity::Even, stopbits::OneAndHalf, 7});
    dialog.baudRateText = "abc";
    FakeI2DlgView view;
    dialog.run(view);

    EXPECT_EQ(view.combos[I2Combo::Port].entries, (std::vector<std::string>{"COM1", "COM12", "COM2"}));
    EXPECT_EQ(view.combos[I2Combo::Port].text, "COM12");
    EXPECT_EQ(view.combos[I2Combo::BaudRate].text, "abc");
    EXPECT_EQ(view.combos[I2Combo::BaudRate].entries.front(), "110");
    EXPECT_EQ(view.combos[I2Combo::BaudRate].entries.back(), "256000");
    EXPECT_EQ(view.combos[I2Combo::DataBits].entries, (std::vector<std::string>{"4", "5", "6", "7", "8"}));
    EXPECT_EQ(view.combos[I2Combo::DataBits].text, "8");
    EXPECT_EQ(view.combos[I2Combo::Parity].text, "Even");
    EXPECT_EQ(view.combos[I2Combo::StopBits].text, "1.5");
    EXPECT_EQ(view.combos[I2Combo::FlowControl].text, "No");
}

TEST(DialogOpening, WithoutPortsTheNameStandsAsTyped)
{
    CI2Dlg dialog([] { return std::vector<std::string>{}; });
    dialog.portText = "COM7";
    FakeI2DlgView view;
    dialog.run(view);
    EXPECT_TRUE(view.combos[I2Combo::Port].entries.empty());
    EXPECT_EQ(view.combos[I2Combo::Port].text, "COM7");
}

TEST(DialogClosing, OkTakesTheTypedTextsCancelKeepsTheOldOnes)
{
    const auto typeNewValues = [](FakeI2DlgView &view) {
        view.combos[I2Combo::Port].text = "COM9";
        view.combos[I2Combo::StopBits].text = "1.50";
    };
    for (const auto answer : {CI2DlgView::Result::Ok, CI2DlgView::Result::Cancel}) {
        CI2Dlg dialog(nullptr);
        dialog.fillFrom({"COM1", 9600, 8, parity::None, stopbits::Two, flowcontrol::None});
        FakeI2DlgView view;
        view.operatorActs = typeNewValues;
        view.answer = answer;
        EXPECT_EQ(dialog.run(view), answer);
        const bool ok = answer == CI2DlgView::Result::Ok;
        EXPECT_EQ(dialog.portText, ok ? "COM9" : "COM1");
        EXPECT_EQ(dialog.stopBitsText, ok ? "1.50" : "2");
    }
}

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
        log.push_back("message " + caption + (icon == MessageIcon::Stop ? " [stop] " : " [?] ") + text);
    }
    CI2DlgView::Result runDialog(CI2Dlg &dialog) override
    {
        log.push_back("dialog");
        return dialog.run(view);
    }

    InterfaceSettings settings{"COM1", 115200, 8, parity::None, stopbits::One, flowcontrol::None};
    PortHandle handle = 4;
    bool open = true;
    bool closeSucceeds = true;
    PortHandle openResult = 5;
    InterfaceSettings openedWith;
    FakeI2DlgView view;
    std::vector<std::string> log;
};

const CI2Dlg::PortListSource kTwoPorts = [] { return std::vector<std::string>{"COM3", "COM1"}; };

TEST(InterfaceSettingsCommand, OkReopensThePortWithTheChosenValues)
{
    FakeHost host;
    host.view.operatorActs = [](FakeI2DlgView &view) {
        view.combos[I2Combo::Port].text = "COM3";
        view.combos[I2Combo::BaudRate].text = "19200";
        view.combos[I2Combo::Parity].text = "Odd";
        view.combos[I2Combo::FlowControl].text = "Hardware";
    };
    runInterfaceSettings(host, kTwoPorts);

    const InterfaceSettings expected{"COM3", 19200, 8, parity::Odd, stopbits::One, flowcontrol::Hardware};
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
    host.view.operatorActs = [](FakeI2DlgView &view) { view.combos[I2Combo::Port].text = "COM3"; };
    host.view.answer = CI2DlgView::Result::Cancel;
    runInterfaceSettings(host, kTwoPorts);

    EXPECT_EQ(host.settings, before);
    EXPECT_EQ(host.openedWith, before);
    EXPECT_TRUE(host.open);
}

TEST(InterfaceSettingsCommand, ACloseFailureSkipsTheDialogAndKeepsThePort)
{
    FakeHost host;
    host.closeSucceeds = false;
    runInterfaceSettings(host, kTwoPorts);

    EXPECT_EQ(host.handle, 4);
    EXPECT_TRUE(host.open);
    EXPECT_EQ(host.log, (std::vector<std::string>{"take", "stop 3", "stop 5", "close 4",
                                                  "message Tag Encoder Bench [stop] Can't close COM Port.",
                                                  "start 3 10", "start 5 500", "show"}));
}

TEST(InterfaceSettingsCommand, AnOpenFailureLeavesThePortClosedAndSaysSo)
{
    FakeHost host;
    host.openResult = kNoPort;
    host.view.operatorActs = [](FakeI2DlgView &view) { view.combos[I2Combo::Port].text = "COM42"; };
    runInterfaceSettings(host, kTwoPorts);

    EXPECT_EQ(host.handle, kNoPort);
    EXPECT_FALSE(host.open);
    EXPECT_EQ(host.log.at(7), "message Tag Encoder Bench [stop] COM42 could not be opened!");
    EXPECT_EQ(host.log.back(), "show");
}

TEST(InterfaceSettingsCommand, AClosedPortGoesStraightToTheDialog)
{
    FakeHost host;
    host.handle = kNoPort;
    host.open = false;
    runInterfaceSettings(host, kTwoPorts);
    EXPECT_EQ(host.view.combos[I2Combo::Port].entries, (std::vector<std::string>{"COM1", "COM3"}));
    EXPECT_TRUE(host.open);
}

} // namespace
} // namespace teb
