#pragma once

#include "app/main_window_fixture.h"
#include "support/automatic_job.h"
#include "support/fake_config_view.h"
#include "support/reader_simulator.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace teb::test {

// The station in automatic mode on the simulated reader "COM7" in its
// working directory, the set "job" current and every page selected.
class AutomaticStationTest : public MainWindowTest {
protected:
    void SetUp() override { useReader({}); }

    // The simulated Orvex reader, with further options.
    void useReader(std::vector<std::string> options)
    {
        options.insert(options.begin(), {"--family", "orvex"});
        simulator.reset(); // its link goes before the next one is made
        simulator = std::make_unique<ReaderSimulator>(dir.path(), options, "COM7");
        ASSERT_TRUE(simulator->ready());
    }

    void writeJob(const ParameterSet &set, const std::string &carrierIdMax = "1000")
    {
        writeAutomaticStation(dir.path(), set, carrierIdMax);
    }

    // A new transponder on the antenna, then "One" and the cycle's tick.
    void programOne()
    {
        dialogs.messages.clear();
        simulator->newTransponder();
        window->tick(kCycleTimerId); // the press comes after the last cycle's tick
        click(Control::OneButton);
        window->tick(kCycleTimerId);
    }

    // The operator acts once while the cycle waits for the answer to the write of `page`.
    void whenWritingPage(int page, std::function<void()> act)
    {
        view.whileWaiting = [this, page, act, done = false]() mutable {
            if (!done && window->terminal().terminalText.find("// Write page " + std::to_string(page)) != std::string::npos) {
                done = true;
                act();
            }
        };
    }

    // "Config" run by the operator's actions on its own fake view.
    void runConfig(std::function<DialogResult(CAutoDlg &, FakeConfigView &)> actions)
    {
        FakeConfigView configView;
        dialogs.configDialog = [&](CAutoDlg &editor) {
            editor.open(configView);
            return actions(editor, configView);
        };
        window->menuCommand(MenuItem::Config);
    }

    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> texts;
        for (const MessageRequest &request : dialogs.messages)
            texts.push_back(request.text);
        return texts;
    }

    // The page data the reader was told to write to a page, in order.
    std::vector<std::string> writesOfPage(int page) const
    {
        const std::string prefix = "WD " + std::to_string(page) + " ";
        std::vector<std::string> data;
        for (const std::string &line : simulator->receivedLines())
            if (line.rfind(prefix, 0) == 0)
                data.push_back(line.substr(prefix.size()));
        return data;
    }

    std::size_t countIn(const std::string &file, const std::string &part) const
    {
        const std::string text = readFileBytes(dir / file);
        std::size_t count = 0;
        for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++count;
        return count;
    }
    std::size_t protocolLines() const { return countIn("IntProt_0.txt", ";One\r\n"); }
    // Every record is two rows, each carrying the UID.
    std::size_t records() const { return countIn("records.xml", ">E0040") / 2; }

    std::unique_ptr<ReaderSimulator> simulator;
};

} // namespace teb::test
