#include "reader/reader_command.h"
#include "reader/time_base.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace teb {
namespace {

// ---- the command table ----------------------------------------------------------

struct CommandRow {
    const char *name;
    ReaderCommand command;
    std::string text;
    std::int32_t waitFactor;
    std::string echoLine;
    std::size_t keptLength;
};

void PrintTo(const CommandRow &row, std::ostream *out) { *out << row.name; }

class CommandTable : public testing::TestWithParam<CommandRow> {};

TEST_P(CommandTable, BytesWaitEchoAndCut)
{
    const CommandRow &row = GetParam();
    EXPECT_EQ(row.command.text, row.text);
    EXPECT_EQ(row.command.waitFactor, row.waitFactor);
    EXPECT_EQ(row.command.echoLine, row.echoLine);
    EXPECT_EQ(row.command.keptLength, row.keptLength);
}

INSTANTIATE_TEST_SUITE_P(
    AllCommands, CommandTable,
    testing::Values(
        CommandRow{"tor", torCommand(), "TOR\r", 4, "", ReaderCommand::kWholeLine},
        CommandRow{"uid", readUidCommand(), "RUID\r", 9, "RUID // Read UID\r\n", 8},
        CommandRow{"read1", readPageCommand(1), "RD 1\r", 17, "RD 1 // Read page 1\r\n", 16},
        CommandRow{"read17", readPageCommand(17), "RD 17\r", 17, "RD 17 // Read page 17\r\n", 16},
        CommandRow{"write3", writePageCommand(3, "3031323334353637"), "WD 3 3031323334353637\r", 4,
                   "WD 3 3031323334353637// Write page 3\r\n", 3},
        CommandRow{"write17", writePageCommand(17, "00FF00FF00FF00FF"), "WD 17 00FF00FF00FF00FF\r", 4,
                   "WD 17 00FF00FF00FF00FF// Write page 17\r\n", 3},
        CommandRow{"lock1", lockPageCommand(1), "LD 1\r", 4, "LD 1 // Lock page 1\r\n", 3},
        CommandRow{"lock12", lockPageCommand(12), "LD 12\r", 4, "LD 12 // Lock page 12\r\n", 3}),
    [](const testing::TestParamInfo<CommandRow> &info) { return std::string(info.param.name); });

// ---- cutting and judging answers ------------------------------------------------

struct AnswerCase {
    const char *name;
    ReaderCommand command;
    std::string answer; // as the port hands it over, with CR LF
    std::string kept;
    bool succeeded;
};

void PrintTo(const AnswerCase &c, std::ostream *out) { *out << c.name; }

class AnswerRules : public testing::TestWithParam<AnswerCase> {};

TEST_P(AnswerRules, CutAndJudged)
{
    const AnswerCase &c = GetParam();
    const std::string kept = keptAnswer(c.command, c.answer);
    EXPECT_EQ(kept, c.kept);
    EXPECT_EQ(answerSucceeded(c.command, kept), c.succeeded);
}

INSTANTIATE_TEST_SUITE_P(
    AllRules, AnswerRules,
    testing::Values(
        AnswerCase{"UidExact", readUidCommand(), "E0040150\r\n", "E0040150", true},
        AnswerCase{"UidLongerIsCut", readUidCommand(), "E00401501A2B3C4D\r\n", "E0040150", true},
        AnswerCase{"UidNoRead", readUidCommand(), "No Read\r\n", "No Read\r", false},
        AnswerCase{"UidMarker09", readUidCommand(), "12#09345\r\n", "12#09345", false},
        AnswerCase{"UidAllX", readUidCommand(), "XXXXXXXX\r\n", "XXXXXXXX", false},
        AnswerCase{"UidShortWithLineEnd", readUidCommand(), "123456\r\n", "123456\r\n", false},
        AnswerCase{"UidAfterCrLfReader", readUidCommand(), "\n12345678\r\n", "\n1234567", false},
        AnswerCase{"UidMissing", readUidCommand(), "", "", false},
        AnswerCase{"ReadHex", readPageCommand(2), "3031323334353637\r\n", "3031323334353637", true},
        AnswerCase{"ReadLowerHex", readPageCommand(2), "abcdef0123456789\r\n", "abcdef0123456789", true},
        AnswerCase{"ReadNoReadIsShort", readPageCommand(1), "No Read\r\n", "No Read\r\n", false},
        AnswerCase{"ReadSixteenX", readPageCommand(1), "XXXXXXXXXXXXXXXX\r\n", "XXXXXXXXXXXXXXXX", false},
        AnswerCase{"ReadMarker09", readPageCommand(1), "0011#09233445566\r\n", "0011#09233445566", false},
        AnswerCase{"ReadFourteenDigitsAndLineEnd", readPageCommand(1), "00112233445566\r\n",
                   "00112233445566\r\n", false},
        AnswerCase{"ReadAfterCrLfReader", readPageCommand(1), "\n0011223344556677\r\n", "\n001122334455667",
                   false},
        AnswerCase{"ReadNotHex", readPageCommand(1), "ERROR IN PAGE 01\r\n", "ERROR IN PAGE 01", false},
        AnswerCase{"WriteAck", writePageCommand(1, "0000000000000000"), "ACK\r\n", "ACK", true},
        AnswerCase{"WriteAckWithMore", writePageCommand(1, "0000000000000000"), "ACKNOWLEDGED\r\n", "ACK", true},
        AnswerCase{"WriteNak", writePageCommand(1, "0000000000000000"), "NAK\r\n", "NAK", false},
        AnswerCase{"WriteLowerAck", writePageCommand(1, "0000000000000000"), "ack\r\n", "ack", false},
        AnswerCase{"WriteAfterCrLfReader", writePageCommand(1, "0000000000000000"), "\nACK\r\n", "\nAC", false},
        AnswerCase{"LockAck", lockPageCommand(4), "ACK\r\n", "ACK", true},
        AnswerCase{"LockMissing", lockPageCommand(4), "", "", false},
        AnswerCase{"TorNumber", torCommand(), "10\r\n", "10\r\n", true},
        AnswerCase{"TorZero", torCommand(), "0\r\n", "0\r\n", false}),
    [](const testing::TestParamInfo<AnswerCase> &info) { return std::string(info.param.name); });

// ---- the time base from the "TOR" answer ------------------------------------------

struct TimeBaseCase {
    const char *name;
    std::string answer;
    TimeBaseFactor factor;
    std::optional<std::int32_t> timeBase;
};

void PrintTo(const TimeBaseCase &c, std::ostream *out) { *out << c.name; }

class TimeBaseRule : public testing::TestWithParam<TimeBaseCase> {};

TEST_P(TimeBaseRule, LeadingNumberTimesFactor)
{
    EXPECT_EQ(timeBaseFromAnswer(GetParam().answer, GetParam().factor), GetParam().timeBase);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TimeBaseRule,
    testing::Values(TimeBaseCase{"Zero", "0\r\n", TimeBaseFactor::Other, std::nullopt},
                    TimeBaseCase{"OneRead", "1\r\n", TimeBaseFactor::PageRead, 13},
                    TimeBaseCase{"TenWrite", "10\r\n", TimeBaseFactor::Other, 250},
                    TimeBaseCase{"TenRead", "10\r\n", TimeBaseFactor::PageRead, 130},
                    TimeBaseCase{"Highest", "255\r\n", TimeBaseFactor::Other, 6375},
                    TimeBaseCase{"TooHigh", "256\r\n", TimeBaseFactor::Other, std::nullopt},
                    TimeBaseCase{"Negative", "-3\r\n", TimeBaseFactor::Other, std::nullopt},
                    TimeBaseCase{"WrapsTo10In32Bits", "4294967306\r\n", TimeBaseFactor::Other, std::nullopt},
                    TimeBaseCase{"Text", "abc\r\n", TimeBaseFactor::Other, std::nullopt},
                    TimeBaseCase{"Missing", "", TimeBaseFactor::Other, std::nullopt},
                    TimeBaseCase{"BlanksSignAndTail", "  +12ms\r\n", TimeBaseFactor::PageRead, 156}),
    [](const testing::TestParamInfo<TimeBaseCase> &info) { return std::string(info.param.name); });

} // namespace
} // namespace teb
