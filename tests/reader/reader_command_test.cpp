#include "reader/reader_command.h"
#include "reader/time_base.h"

#include <gtest/gtest.h>

namespace teb {
namespace {

TEST(ReaderCommands, BytesWaitEchoLineAndKeptLength)
{
    const struct {
        ReaderCommand command;
        const char *text;
        std::int32_t waitFactor;
        const char *echoLine;
        std::size_t keptLength;
    } cases[] = {
        {torCommand(), "TOR\r", 4, "", ReaderCommand::kWholeLine},
        {readUidCommand(), "RUID\r", 9, "RUID // Read UID\r\n", 8},
        {readPageCommand(1), "RD 1\r", 17, "RD 1 // Read page 1\r\n", 16},
        {writePageCommand(3, "3031323334353637"), "WD 3 3031323334353637\r", 4,
         "WD 3 3031323334353637// Write page 3\r\n", 3},
        {lockPageCommand(12), "LD 12\r", 4, "LD 12 // Lock page 12\r\n", 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.command.text, c.text);
        EXPECT_EQ(c.command.waitFactor, c.waitFactor);
        EXPECT_EQ(c.command.echoLine, c.echoLine);
        EXPECT_EQ(c.command.keptLength, c.keptLength);
    }
}

TEST(ReaderCommands, AnswersAreCutToTheKeptLengthAndJudged)
{
    const ReaderCommand uid = readUidCommand();
    const ReaderCommand read = readPageCommand(1);
    const ReaderCommand write = writePageCommand(1, "0000000000000000");
    const struct {
        ReaderCommand command;
        const char *answer; // as the port hands it over, with CR LF
        const char *kept;
        bool succeeded;
    } cases[] = {
        {uid, "E00401501A2B\r\n", "E0040150", true}, // longer: cut and accepted
        {uid, "12#09345\r\n", "12#09345", false},
        {uid, "XXXXXXXX\r\n", "XXXXXXXX", false},
        {uid, "123456\r\n", "123456\r\n", false},
        {read, "3031323334353637\r\n", "3031323334353637", true},
        {read, "No Read\r\n", "No Read", false},
        {read, "XXXXXXXXXXXXXXXX\r\n", "XXXXXXXXXXXXXXXX", false},
        {read, "00112233445566\r\n", "00112233445566", false},
        {read, "\n0011223344556677\r\n", "\n0011223344556677", false}, // after a reader ending in CR LF
        {read, "ERROR IN PAGE 01\r\n", "ERROR IN PAGE 01", false},
        // Stray bytes before or after the digits shift nothing into the page: the read fails whole.
        {read, "AB3031323334353637\r\n", "AB3031323334353637", false},
        {read, "303132333435363741\r\n", "303132333435363741", false},
        {read, "3031323334353637 \r\n", "3031323334353637 ", false},
        {write, "ACKNOWLEDGED\r\n", "ACK", true},
        {write, "ack\r\n", "ack", false},
        {lockPageCommand(4), "", "", false},
        {torCommand(), "10\r\n", "10\r\n", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer);
        const std::string kept = keptAnswer(c.command, c.answer);
        EXPECT_EQ(kept, c.kept);
        EXPECT_EQ(answerSucceeded(c.command, kept), c.succeeded);
    }
}

TEST(TimeBase, IsTheTorNumberFrom1To255TimesTheFactor)
{
    const struct {
        const char *answer;
        TimeBaseFactor factor;
        std::optional<std::int32_t> timeBase;
    } cases[] = {
        {"1\r\n", TimeBaseFactor::PageRead, 13},   {"10\r\n", TimeBaseFactor::Other, 250},
        {"255\r\n", TimeBaseFactor::Other, 6375},  {" +12ms", TimeBaseFactor::PageRead, 156},
        {"0\r\n", TimeBaseFactor::Other, {}},      {"256\r\n", TimeBaseFactor::Other, {}},
        {"-3\r\n", TimeBaseFactor::Other, {}},
        {"18446744073709551626", TimeBaseFactor::Other, {}}, // 2^64 + 10
        {"abc\r\n", TimeBaseFactor::Other, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(timeBaseFromAnswer(c.answer, c.factor), c.timeBase) << c.answer;
}

} // namespace
} // namespace teb
