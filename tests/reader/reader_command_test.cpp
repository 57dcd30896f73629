#include "reader/reader_command.h"
#include "reader/time_base.h"

#include <gtest/gtest.h>

#include <optional>

namespace teb {
namespace {

template <typename Case>
std::string caseName(const testing::TestParamInfo<Case> &info)
{
    return info.param.name;
}

struct CommandRow {
    std::string name;
    ReaderCommand command;
    std::string text;
    std::int32_t waitFactor;
    std::string echoLine;
    std::size_t keptLength;
};

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
    testing::Values(CommandRow{"Tor", torCommand(), "TOR\r", 4, "", ReaderCommand::kWholeLine},
                    CommandRow{"Uid", readUidCommand(), "RUID\r", 9, "RUID // Read UID\r\n", 8},
                    CommandRow{"Read1", readPageCommand(1), "RD 1\r", 17, "RD 1 // Read page 1\r\n", 16},
                    CommandRow{"Read17", readPageCommand(17), "RD 17\r", 17, "RD 17 // Read page 17\r\n", 16},
                    CommandRow{"Write3", writePageCommand(3, "3031323334353637"), "WD 3 3031323334353637\r", 4,
                               "WD 3 3031323334353637// Write page 3\r\n", 3},
                    CommandRow{"Lock12", lockPageCommand(12), "LD 12\r", 4, "LD 12 // Lock page 12\r\n", 3}),
    caseName<CommandRow>);

struct AnswerCase {
    std::string name;
    ReaderCommand command;
    std::string answer; // as the port hands it over, with CR LF
    std::string kept;
    bool succeeded;
};

class AnswerRules : public testing::TestWithParam<AnswerCase> {};

TEST_P(AnswerRules, CutAndJudged)
{
    const std::string kept = keptAnswer(GetParam().command, GetParam().answer);
    EXPECT_EQ(kept, GetParam().kept);
    EXPECT_EQ(answerSucceeded(GetParam().command, kept), GetParam().succeeded);
}

const ReaderCommand kWrite = writePageCommand(1, "0000000000000000");

INSTANTIATE_TEST_SUITE_P(
    AllRules, AnswerRules,
    testing::Values(
        AnswerCase{"UidLongerIsCutAndAccepted", readUidCommand(), "E00401501A2B\r\n", "E0040150", true},
        AnswerCase{"UidMarker09", readUidCommand(), "12#09345\r\n", "12#09345", false},
        AnswerCase{"UidAllX", readUidCommand(), "XXXXXXXX\r\n", "XXXXXXXX", false},
        AnswerCase{"UidShortWithLineEnd", readUidCommand(), "123456\r\n", "123456\r\n", false},
        AnswerCase{"ReadHex", readPageCommand(2), "3031323334353637\r\n", "3031323334353637", true},
        AnswerCase{"ReadNoReadIsShort", readPageCommand(1), "No Read\r\n", "No Read\r\n", false},
        AnswerCase{"ReadSixteenX", readPageCommand(1), "XXXXXXXXXXXXXXXX\r\n", "XXXXXXXXXXXXXXXX", false},
        AnswerCase{"ReadFourteenDigitsAndLineEnd", readPageCommand(1), "00112233445566\r\n", "00112233445566\r\n",
                   false},
        AnswerCase{"ReadAfterCrLfReader", readPageCommand(1), "\n0011223344556677\r\n", "\n001122334455667", false},
        AnswerCase{"ReadNotHex", readPageCommand(1), "ERROR IN PAGE 01\r\n", "ERROR IN PAGE 01", false},
        AnswerCase{"WriteAckWithMore", kWrite, "ACKNOWLEDGED\r\n", "ACK", true},
        AnswerCase{"WriteLowerAck", kWrite, "ack\r\n", "ack", false},
        AnswerCase{"LockMissing", lockPageCommand(4), "", "", false},
        AnswerCase{"TorNumber", torCommand(), "10\r\n", "10\r\n", true}),
    caseName<AnswerCase>);

struct TimeBaseCase {
    std::string name;
    std::string answer;
    TimeBaseFactor factor;
    std::optional<std::int32_t> timeBase;
};

class TimeBaseRule : public testing::TestWithParam<TimeBaseCase> {};

TEST_P(TimeBaseRule, LeadingNumberTimesFactor)
{
    EXPECT_EQ(timeBaseFromAnswer(GetParam().answer, GetParam().factor), GetParam().timeBase);
}

INSTANTIATE_TEST_SUITE_P(Answers, TimeBaseRule,
                         testing::Values(TimeBaseCase{"Zero", "0\r\n", TimeBaseFactor::Other, std::nullopt},
                                         TimeBaseCase{"OneRead", "1\r\n", TimeBaseFactor::PageRead, 13},
                                         TimeBaseCase{"TenWrite", "10\r\n", TimeBaseFactor::Other, 250},
                                         TimeBaseCase{"Highest", "255\r\n", TimeBaseFactor::Other, 6375},
                                         TimeBaseCase{"TooHigh", "256\r\n", TimeBaseFactor::Other, std::nullopt},
                                         TimeBaseCase{"Negative", "-3\r\n", TimeBaseFactor::Other, std::nullopt},
                                         TimeBaseCase{"Wraps32Bits", "4294967306", TimeBaseFactor::Other, std::nullopt},
                                         TimeBaseCase{"Text", "abc\r\n", TimeBaseFactor::Other, std::nullopt},
                                         TimeBaseCase{"Missing", "", TimeBaseFactor::Other, std::nullopt},
                                         TimeBaseCase{"BlanksSignTail", " +12ms", TimeBaseFactor::PageRead, 156}),
                         caseName<TimeBaseCase>);

} // namespace
} // namespace teb
