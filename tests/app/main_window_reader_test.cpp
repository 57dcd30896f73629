#include "main_window_fixture.h"

#include "support/reader_simulator.h"

#include <chrono>
#include <thread>

namespace teb::test {
namespace {

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

TEST_F(MainWindowWithReader, OpensThePortSendsTheCommandLineAndTheCloseBoxFreesThePortBeforeTheSettingsAreWritten)
{
    CQV58Dlg &w = start();
    EXPECT_TRUE(w.portOpen && isUsablePort(w.portHandle));
    EXPECT_TRUE(view.messages.empty());

    view.setText(Control::TerminalInput, "RUID");
    w.enterPressed(Control::TerminalInput);
    EXPECT_TRUE(eventually([&] { return !view.text(Control::TerminalView).empty(); })) << "the answer tops the view";
    EXPECT_THAT(simulator.receivedLines(), ::testing::ElementsAre("RUID"));
    EXPECT_THAT(view.selections, ::testing::ElementsAre(Control::TerminalInput));

    w.closeRequest();
    EXPECT_EQ(view.endResult, DialogResult::Cancel);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_FALSE(w.portOpen || w.readerPort().receiveThreadRunning());
    ReaderPort other; // the port is not shared: it opens again only once it is free
    other.setWorkingDirectory(dir.path());
    const PortHandle handle = other.Open(w.interfaceSettings);
    EXPECT_TRUE(isUsablePort(handle));
    other.Close(handle);

    w.destroy();
    EXPECT_NE(settingsFile().find("port=COM7\r\n"), std::string::npos);
}

} // namespace
} // namespace teb::test
