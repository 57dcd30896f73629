#include "reader/reader_port.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace teb {
namespace {

TEST(ReaderPortWithoutDevice, WritesAndClosesAsNoPort)
{
    ReaderPort port;
    EXPECT_EQ(port.WriteText("TOR\r", kNoPort), kWriteNoPort);
    EXPECT_TRUE(port.Close(kNoPort));
    EXPECT_FALSE(port.receiveThreadRunning());
    std::string line = "old";
    EXPECT_FALSE(port.waitForLine(std::chrono::milliseconds(1), line));
    EXPECT_EQ(line, "");
}

TEST(ReaderPortWithoutDevice, NamesWithoutDeviceDoNotOpen)
{
    test::TempDir dir;
    test::writeFileBytes(dir / "COM5", "a plain file");
    ReaderPort port;
    port.setWorkingDirectory(dir.path());
    const std::string missingPath = (dir / "missing").string();
    for (const std::string &name : {std::string("COM5"), std::string("COM0"), std::string("NOPORT"),
                                    std::string(), missingPath}) {
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
