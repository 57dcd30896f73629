#include "main_window_fixture.h"

#include "support/reader_simulator.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace teb::test {
namespace {

// Generous: the simulated reader answers within milliseconds.
constexpr auto kPatience = std::chrono::seconds(5);

template <typename Condition>
bool eventually(Condition condition)
{
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// The station's working directory holds the simulated reader's link "COM7".
class MainWindowWithReader : public MainWindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(simulator.ready());
        writeSettings(iniLines({"[Interface]", "port=COM7", "baudrate=115200", "databits=8"}));
    }

    ReaderSimulator simulator{dir.path(), {}, "COM7"};
};

TEST_F(MainWindowWithReader, StartOpensThePortWithoutAMessage)
{
    CQV58Dlg &w = start();
    EXPECT_TRUE(w.portOpen);
    EXPECT_TRUE(isUsablePort(w.portHandle));
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(MainWindowWithReader, CloseBoxFreesThePortBeforeTheSettingsAreWritten)
{
    CQV58Dlg &w = start();
    w.closeRequest();

    EXPECT_TRUE(view.messages.empty());
    EXPECT_FALSE(w.portOpen);
    EXPECT_FALSE(w.readerPort().receiveThreadRunning());
    ReaderPort other; // the port is not shared: it opens again only once it is free
    other.setWorkingDirectory(dir.path());
    const PortHandle handle = other.Open(w.interfaceSettings);
    EXPECT_TRUE(isUsablePort(handle));
    other.Close(handle);

    w.destroy();
    EXPECT_NE(settingsFile().find("port=COM7\r\n"), std::string::npos);
}

TEST_F(MainWindowWithReader, EnterInTheCommandLineSendsItAndTheAnswerTopsTheTerminalView)
{
    CQV58Dlg &w = start();
    view.type(Control::TerminalInput, "RUID");

    w.enterPressed(Control::TerminalInput);

    EXPECT_TRUE(eventually([&] { return !simulator.receivedLines().empty(); }));
    EXPECT_THAT(simulator.receivedLines(), ::testing::ElementsAre("RUID"));
    EXPECT_TRUE(eventually([&] { return !view.text(Control::TerminalView).empty(); }));
    EXPECT_THAT(view.selections, ::testing::ElementsAre(Control::TerminalInput));
    EXPECT_EQ(shown(Control::TerminalInput), "RUID");
}

} // namespace
} // namespace teb::test
