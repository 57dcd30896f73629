// The simulated reader's answers, faults and options, without a line.
#include "answer_faults.h"
#include "reader_model.h"
#include "sim_options.h"

#include <gtest/gtest.h>

namespace teb::sim {
namespace {

using namespace std::chrono_literals;

struct CommandCase {
    const char *command;
    std::optional<std::string> answer;
};

void PrintTo(const CommandCase &c, std::ostream *out)
{
    *out << '"' << c.command << '"';
}

class ReaderAnswers : public testing::TestWithParam<CommandCase> {};

TEST_P(ReaderAnswers, AnswerEachCommandLikeTheReader)
{
    ReaderModel reader;
    reader.transponder->pages[16] = {0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0x01, 0x02, 0x03};
    EXPECT_EQ(reader.answer(GetParam().command), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ReaderAnswers,
    testing::Values(CommandCase{"TOR", "10"}, CommandCase{"RUID", "E0040150"},
                    CommandCase{"RD 1", "0000000000000000"}, CommandCase{"RD 17", "DEADBEEF00010203"},
                    CommandCase{"WD 1 0011223344556677", "ACK"}, CommandCase{"LD 17", "ACK"},
                    CommandCase{"RD 0", "NAK"}, CommandCase{"RD 18", "NAK"}, CommandCase{"RD 01", "NAK"},
                    CommandCase{"RD", "NAK"}, CommandCase{"RD 1 2", "NAK"}, CommandCase{"RD  1", "NAK"},
                    CommandCase{"WD 1 001122334455667", "NAK"},
                    CommandCase{"WD 1 00112233445566GG", "NAK"},
                    CommandCase{"WD 18 0011223344556677", "NAK"}, CommandCase{"WD 1", "NAK"},
                    CommandCase{"LD 18", "NAK"}, CommandCase{"RUID 1", "NAK"}, CommandCase{"XYZ", "ERR"},
                    CommandCase{"tor", "ERR"}, CommandCase{"TOR 1", "ERR"},
                    CommandCase{"", std::nullopt}));

TEST(ReaderTransponder, KeepsWrittenPagesAndRefusesWritesToLockedOnes)
{
    ReaderModel reader;
    EXPECT_EQ(reader.answer("WD 3 a0b1c2d3e4f50617"), "ACK");
    EXPECT_EQ(reader.answer("RD 3"), "A0B1C2D3E4F50617");
    EXPECT_EQ(reader.answer("LD 3"), "ACK");
    EXPECT_EQ(reader.answer("WD 3 0000000000000000"), "NAK");
    EXPECT_EQ(reader.answer("RD 3"), "A0B1C2D3E4F50617");
    EXPECT_EQ(reader.answer("WD 4 0000000000000001"), "ACK");
}

TEST(ReaderTransponder, WithoutTransponderEveryTransponderCommandIsNoRead)
{
    ReaderModel reader;
    reader.transponder.reset();
    EXPECT_EQ(reader.answer("TOR"), "10");
    for (const char *command : {"RUID", "RD 1", "WD 1 0011223344556677", "LD 1", "RD 99"})
        EXPECT_EQ(reader.answer(command), "No Read") << command;
}

TEST(ReaderTransponder, OrvexTakesWritesOnlyAfterItsUidWasReadSinceTheLastTor)
{
    ReaderModel reader;
    reader.family = Family::OrvexMultipage;
    EXPECT_EQ(reader.answer("WD 1 0011223344556677"), "NAK");
    EXPECT_EQ(reader.answer("RUID"), "E0040150");
    EXPECT_EQ(reader.answer("WD 1 0011223344556677"), "ACK");
    EXPECT_EQ(reader.answer("WD 2 0011223344556677"), "ACK");
    EXPECT_EQ(reader.answer("TOR"), "10");
    EXPECT_EQ(reader.answer("WD 1 0011223344556677"), "NAK");
}

struct FaultCase {
    const char *kind;
    std::optional<std::string> normal;
    std::optional<std::string> faulty;
};

void PrintTo(const FaultCase &c, std::ostream *out)
{
    *out << c.kind << " on \"" << c.normal.value_or("(none)") << '"';
}

class InjectedFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(InjectedFaults, TurnTheAnswerIntoTheFaultyOne)
{
    FaultPlan plan;
    plan.kind = faultKindOf(GetParam().kind).value();
    FaultInjector faults(plan);
    ASSERT_TRUE(faults.hits("RD 1"));
    EXPECT_EQ(faults.apply(GetParam().normal), GetParam().faulty);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, InjectedFaults,
    testing::Values(FaultCase{"no-answer", "ACK", std::nullopt}, FaultCase{"wrong-answer", "ACK", "ERR"},
                    FaultCase{"empty-answer", "ACK", ""},
                    FaultCase{"long-answer", "ACK", "ACK" + std::string(300, '9')},
                    FaultCase{"no-read", "0011223344556677", "No Read"},
                    FaultCase{"marker-09", "0011223344556677", "#090011223344556"},
                    FaultCase{"marker-09", "ACK", "#09"}, FaultCase{"marker-x", "E0040150", "XXXXXXXX"},
                    FaultCase{"marker-x", "0011223344556677", "XXXXXXXXXXXXXXXX"},
                    FaultCase{"marker-x", "ACK", "XXXXXXXX"}, FaultCase{"nak", "ACK", "NAK"},
                    FaultCase{"slow", "ACK", "ACK"}, FaultCase{"no-read", std::nullopt, "No Read"}));

TEST(InjectedFaults, HitOnlyTheCommandsTheyAreAimedAtAndOnlyAsOftenAsAsked)
{
    FaultInjector faults({FaultKind::Slow, "WD 1", 2, 300ms});
    EXPECT_FALSE(faults.hits("WD 17 0011223344556677"));
    EXPECT_FALSE(faults.hits("RD 1"));
    EXPECT_TRUE(faults.hits("WD 1 0011223344556677"));
    EXPECT_TRUE(faults.hits("WD 1 0011223344556677"));
    EXPECT_FALSE(faults.hits("WD 1 0011223344556677"));
    EXPECT_EQ(faults.extraDelay(), 300ms);

    FaultInjector none({});
    EXPECT_FALSE(none.hits("TOR"));
    EXPECT_EQ(none.extraDelay(), 0ms);
}

TEST(AnswerFrame, PutsNoiseBeforeAndTheLineEndAfter)
{
    EXPECT_EQ(framedAnswer("ACK", "", false), "ACK\r");
    EXPECT_EQ(framedAnswer("ACK", std::string("\0\xFF", 2), true), std::string("\0\xFF" "ACK\r\n", 7));
}

TEST(SimulatorOptions, DefaultsDescribeATiReaderWithABlankTransponderOnCom7)
{
    const ParsedOptions parsed = parseOptions({});
    EXPECT_TRUE(parsed.error.empty());
    EXPECT_FALSE(parsed.showHelp);
    EXPECT_EQ(parsed.options.portName, "COM7");
    EXPECT_EQ(parsed.options.directory, ".");
    EXPECT_EQ(parsed.options.reader.family, Family::TiMultipage);
    ASSERT_TRUE(parsed.options.reader.transponder.has_value());
    EXPECT_EQ(parsed.options.answerDelay, 0ms);
    EXPECT_EQ(parsed.options.fault.kind, FaultKind::None);
}

TEST(SimulatorOptions, SetTheReaderTheTransponderAndTheFaults)
{
    const ParsedOptions parsed =
        parseOptions({"--dir", "/tmp/x", "--name=COM12", "--family", "orvex", "--uid", "12345678",
                      "--tor=25", "--delay", "40", "--page", "2=0102030405060708", "--lock", "17",
                      "--crlf", "--noise", "00ff", "--fault", "marker-09", "--fault-on", "RD 2",
                      "--fault-count", "3", "--fault-delay", "70", "--log", "/tmp/x/log"});
    ASSERT_EQ(parsed.error, "");
    const SimOptions &o = parsed.options;
    EXPECT_EQ(o.directory, "/tmp/x");
    EXPECT_EQ(o.portName, "COM12");
    EXPECT_EQ(o.reader.family, Family::OrvexMultipage);
    EXPECT_EQ(o.reader.transponder->uid, "12345678");
    EXPECT_EQ(o.reader.timeOutNumber, 25);
    EXPECT_EQ(o.answerDelay, 40ms);
    EXPECT_EQ(upperHex(o.reader.transponder->pages[1]), "0102030405060708");
    EXPECT_TRUE(o.reader.transponder->locked[16]);
    EXPECT_FALSE(o.reader.transponder->locked[15]);
    EXPECT_TRUE(o.crLf);
    EXPECT_EQ(o.noise, std::string("\0\xFF", 2));
    EXPECT_EQ(o.fault.kind, FaultKind::Marker09);
    EXPECT_EQ(o.fault.commandFilter, "RD 2");
    EXPECT_EQ(o.fault.count, 3);
    EXPECT_EQ(o.fault.slowDelay, 70ms);
    EXPECT_EQ(o.logFile, "/tmp/x/log");

    EXPECT_FALSE(parseOptions({"--no-tag"}).options.reader.transponder.has_value());
    EXPECT_TRUE(parseOptions({"--exit-with-parent"}).options.exitWithParent);
    EXPECT_TRUE(parseOptions({"--help"}).showHelp);
}

struct BadOptions {
    std::vector<std::string> arguments;
    const char *error;
};

void PrintTo(const BadOptions &c, std::ostream *out)
{
    for (const std::string &argument : c.arguments)
        *out << argument << ' ';
}

class RejectedOptions : public testing::TestWithParam<BadOptions> {};

TEST_P(RejectedOptions, AreNamedInTheError)
{
    EXPECT_EQ(parseOptions(GetParam().arguments).error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, RejectedOptions,
    testing::Values(BadOptions{{"--bogus"}, "unknown option \"--bogus\""},
                    BadOptions{{"--uid"}, "option \"--uid\" wants a value"},
                    BadOptions{{"--crlf=1"}, "option \"--crlf\" takes no value"},
                    BadOptions{{"--uid", "1234567"}, "--uid wants exactly 8 characters, not \"1234567\""},
                    BadOptions{{"--uid", "1234 678"}, "--uid wants printable characters without blanks"},
                    BadOptions{{"--name", "ttyS0"}, "--name wants a name COMn, not \"ttyS0\""},
                    BadOptions{{"--family", "TI"}, "--family wants ti or orvex, not \"TI\""},
                    BadOptions{{"--tor", "ten"}, "--tor wants a number from -99999 to 99999, not \"ten\""},
                    BadOptions{{"--delay", "-1"}, "--delay wants a number from 0 to 600000, not \"-1\""},
                    BadOptions{{"--page", "18=0000000000000000"}, "--page wants a page from 1 to 17, not \"18\""},
                    BadOptions{{"--page", "3"}, "--page wants N=<16 hexadecimal digits>, not \"3\""},
                    BadOptions{{"--page", "3=00"}, "--page wants 16 hexadecimal digits after \"=\", not \"00\""},
                    BadOptions{{"--lock", "0"}, "--lock wants a page from 1 to 17, not \"0\""},
                    BadOptions{{"--noise", "0"}, "--noise wants pairs of hexadecimal digits, not \"0\""},
                    BadOptions{{"--noise", "0g"}, "--noise wants pairs of hexadecimal digits, not \"0g\""},
                    BadOptions{{"--fault", "crash"}, "unknown fault \"crash\" (see --help)"}));

} // namespace
} // namespace teb::sim
