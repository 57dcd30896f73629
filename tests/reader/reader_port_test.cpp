#include "reader/reader_port.h"
#include "reader/reader_transaction.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace teb {
namespace {

TEST(ReaderPortWithoutDevice, SendsNothingShowsAnEmptyAnswerAndKeepsT)
{
    ReaderPort port;
    EXPECT_EQ(port.WriteText("TOR\r", kNoPort), kWriteNoPort);
    EXPECT_TRUE(port.Close(kNoPort));
    std::string line = "old";
    EXPECT_FALSE(port.waitForLine(std::chrono::milliseconds(1), line));
    EXPECT_EQ(line, "");

    std::int32_t timeBase = kStartTimeBase;
    std::string terminalText = "older\r\n";
    ReaderSession session{port, kNoPort, timeBase, terminalText};
    const ReaderTransaction unsent = runTransaction(session, lockPageCommand(1));
    EXPECT_FALSE(unsent.sent || unsent.succeeded);
    EXPECT_FALSE(fixTimeBase(session, TimeBaseFactor::Other).sent);
    EXPECT_EQ(timeBase, kStartTimeBase);
    EXPECT_EQ(terminalText, "\r\nolder\r\n"); // no echo line, only the empty answer
}

TEST(ReaderPortWithoutDevice, NamesWithoutACharacterDeviceDoNotOpen)
{
    test::TempDir dir;
    test::writeFileBytes(dir / "COM5", "a plain file");
    ReaderPort port;
    port.setWorkingDirectory(dir.path());
    for (const std::string &name : {std::string("COM5"), std::string("COM0"), std::string("NOPORT"), std::string(),
                                    (dir / "missing").string(), dir.path().string()}) {
        EXPECT_EQ(port.Open(name, 115200, 8, 0, 0, 0), kNoPort) << name;
        EXPECT_FALSE(port.receiveThreadRunning());
    }
}

TEST(ReaderPortWithoutDevice, NeverWritesToOrClosesADescriptorItDoesNotHold)
{
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    ReaderPort port;
    EXPECT_EQ(port.WriteText("TOR\r", pipeEnds[1]), kWriteNoPort);
    EXPECT_FALSE(port.Close(pipeEnds[1]));
    EXPECT_NE(fcntl(pipeEnds[1], F_GETFD), -1); // still open
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
}

} // namespace
} // namespace teb
