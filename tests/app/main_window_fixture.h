#pragma once

#include "app/cqv58_dlg.h"
#include "support/fake_dialog_host.h"
#include "support/fake_main_window_view.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

namespace teb::test {

// Lines of a profile file as the station's files hold them (CR LF).
inline std::string iniLines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const auto &line : lines)
        text += line + "\r\n";
    return text;
}

// A parameter set file with one data source: pages 1 and 2 editable, HEX bytes
// 30..37 on page 1, 41..48 on page 2, every other byte "00".
inline std::string setFile(bool writePages3To17, const std::string &dataSource)
{
    std::string text = iniLines({"[Data Source]", dataSource + "=1", "[SEMI E99 Carrier ID Setup]", "Carrier ID=1000",
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

    TempDir dir;
    FakeMainWindowView view;
    FakeDialogHost dialogs;
    std::unique_ptr<CQV58Dlg> window;
};

} // namespace teb::test
