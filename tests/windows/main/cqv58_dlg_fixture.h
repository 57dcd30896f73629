#pragma once

#include "windows/main/cqv58_dlg.h"
#include "windows/main/cqv58_dlg_timers.h"
#include "support/counter_entry.h"
#include "support/fake_dialog_host.h"
#include "support/fake_cqv58_dlg_view.h"
#include "support/reader_simulator.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace teb::test {

// Lines of a profile file as the station's files hold them (CR LF).
inline std::string iniLines(const std::vector<std::string> &lines)
{
    std::string text;
    for (const auto &line : lines)
        text += line + "\r\n";
    return text;
}

// A parameter set file with one data source: pages 1 and 2 editable, HEX bytes
// 30..37 on page 1, 41..48 on page 2, every other byte "00". `carrierIdLines`
// follow the carrier ID section's header.
inline std::string setFile(bool writePages3To17, const std::string &dataSource,
                           const std::string &carrierIdLines = "Carrier ID=1000")
{
    std::string text = iniLines({"[Data Source]", dataSource + "=1", "[SEMI E99 Carrier ID Setup]", carrierIdLines,
                                 "[Pages 3-17]", std::string("Write Pages 3-17=") + (writePages3To17 ? "1" : "0")});
    for (int page = 1; page <= 17; ++page) {
        text += "[Page " + std::to_string(page) + "]\r\nEdit Page " + std::to_string(page) + "="
            + (page <= 2 ? "1" : "0") + "\r\n";
        for (int byte = 0; byte < 8; ++byte) {
            const int number = (page - 1) * 8 + byte;
            text += (number < 10 ? "HEX 0" : "HEX ") + std::to_string(number) + "="
                + (page == 1 ? "3" + std::to_string(byte) : page == 2 ? "4" + std::to_string(byte + 1) : "00") + "\r\n";
        }
    }
    return text;
}

// True once `condition` holds; false after a generous wait (the simulated
// reader answers within milliseconds).
template <typename Condition>
bool eventually(Condition condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return condition();
}

// A main window on a fake view, started in a directory of its own.
class MainWindowTest : public ::testing::Test {
protected:
    void writeSettings(const std::string &text) { writeFileBytes(dir / "TagEncoderBench.ini", text); }
    void writeSetFile(const std::string &name, const std::string &text) { writeFileBytes(dir / (name + ".ini"), text); }
    std::string settingsFile() const { return readFileBytes(dir / "TagEncoderBench.ini"); }
    std::string shown(Control id) const { return view.text(id); }

    CQV58Dlg &start()
    {
        window = std::make_unique<CQV58Dlg>(view, dialogs, [this] { return dir.path(); });
        view.attach(*window);
        window->initialise();
        return *window;
    }

    // The operator clicks a control.
    void click(Control id) { view.click(id); }
    // "One" and the cycle's tick; a press right after a cycle waits for the tick before it.
    void pressOne()
    {
        window->tick(kCycleTimerId);
        dialogs.messages.clear();
        click(Control::OneButton);
        window->tick(kCycleTimerId);
    }
    // The decimal counter set "job", current in automatic mode with "max" 900.
    void writeCounterJob(const std::string &carrierId, const std::string &length,
                         const std::vector<std::string> &moreSettings = {})
    {
        writeSetFile("job", setFile(false, "Decimal counter", "Carrier ID=" + carrierId + "\r\nCarrier ID Length=" + length));
        writeSettings(iniLines({"[Auto]", "SelectConfig=1", "Pruefablauf_ist=job", "Carrier ID Max=900"}) +
                      iniLines(moreSettings));
    }

    TempDir dir;
    FakeCQV58DlgView view;
    FakeDialogHost dialogs;
    std::unique_ptr<CQV58Dlg> window;
};

// The station's working directory holds the simulated reader's link "COM7",
// and the settings name it.
class MainWindowWithReader : public MainWindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(simulator.ready());
        writeSettings(iniLines({"[Interface]", "port=COM7", "baudrate=115200", "databits=8"}));
    }

    ReaderSimulator simulator{dir.path(), {}, "COM7"};
};

} // namespace teb::test
