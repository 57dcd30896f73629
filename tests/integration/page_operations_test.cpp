// The manual page operations against the simulated reader on a real
// pseudo-terminal: commands sent, colours, errorCount and page texts.
#include "transponder/page_operations.h"

#include "support/operation_station.h"

#include <gtest/gtest.h>

namespace teb {
namespace {

using test::OperationStation;
using Commands = std::vector<std::string>;

constexpr auto kGreen = ResultColour::Green;
constexpr auto kRed = ResultColour::Red;
constexpr auto kWhite = ResultColour::White;

const std::string kPage1 = "3031323334353637";
const std::string kPage2 = "4142434445464748";

// T from "TOR" 8: 200 ms, or 104 ms for page reads; waits of 0.4 s and more,
// ample for answers that come, for a run on a busy machine.
std::vector<std::string> reader(std::vector<std::string> extra = {})
{
    std::vector<std::string> options{"--tor", "8", "--page", "1=" + kPage1, "--page", "2=" + kPage2};
    options.insert(options.end(), extra.begin(), extra.end());
    return options;
}

TEST(PageOperations, ReadUidShowsTheUidGreenOrRedWithAFailureCounted)
{
    const struct {
        std::vector<std::string> options;
        std::string uid;
        ResultColour colour;
        int errors;
    } cases[] = {
        {{"--family", "ti", "--uid", "E0040100"}, "E0040100", kGreen, 0},
        {{"--family", "orvex", "--uid", "12345678"}, "12345678", kGreen, 0},
        {{"--no-tag"}, "No Read\r", kRed, 1}, // the first 8 characters, as kept
    };
    for (const auto &c : cases) {
        OperationStation station(reader(c.options));
        station.errorCount = 5;
        station.readUid();
        EXPECT_EQ(station.uidText, c.uid);
        EXPECT_EQ(station.report.colourOf("UID"), c.colour) << c.uid;
        EXPECT_EQ(station.errorCount, c.errors);
        EXPECT_EQ(station.report.focus.back(), "UID");
        EXPECT_EQ(station.commands(), Commands{"RUID"});
    }
}

TEST(PageOperations, ReadPagesFillsTextAndBothKeptTextsAndMarksEachPage)
{
    for (const bool ascii : {false, true}) {
        OperationStation station(reader());
        station.asciiFormat = ascii;
        station.select({1, 2});
        station.errorCount = 3; // reading leaves it alone
        station.readPages(false);
        EXPECT_EQ(station.hexTextKept[0], "30 31 32 33 34 35 36 37");
        EXPECT_EQ(station.asciiTextKept[0], "0 1 2 3 4 5 6 7");
        EXPECT_EQ(station.asciiTextKept[1], "A B C D E F G H");
        EXPECT_EQ(station.pageText[1], ascii ? "A B C D E F G H" : "41 42 43 44 45 46 47 48");
        EXPECT_EQ(station.report.colourOf("P1"), kGreen);
        EXPECT_EQ(station.report.colourOf("P2"), kGreen);
        EXPECT_EQ(station.report.colourOf("P3"), kWhite);
        EXPECT_TRUE(station.pageSucceeded[0] && station.pageSucceeded[1] && !station.pageSucceeded[2]);
        EXPECT_EQ(station.errorCount, 3);
        EXPECT_EQ(station.commands(), (Commands{"RD 1", "RD 2"}));
    }
}

TEST(PageOperations, ReadPagesStopsAfterAShortAnswer)
{
    // "No Read" on P3 with P3 and P5 selected: P5 is not read.
    OperationStation noRead(reader({"--fault", "no-read", "--fault-on", "RD 3"}));
    noRead.select({3, 5});
    noRead.pageText[2] = "kept";
    noRead.readPages(false);
    EXPECT_EQ(noRead.commands(), Commands{"RD 3"});
    EXPECT_EQ(noRead.report.colourOf("P3"), kRed);
    EXPECT_EQ(noRead.report.colourOf("P5"), kWhite);
    EXPECT_EQ(noRead.pageText[2], "kept");
    EXPECT_EQ(noRead.errorCount, 0);

    // The UID answer (8 characters and CR LF) is too short to let P2 be read
    // when P1 is not; a page answer after P1 is long enough.
    for (const bool withPage1 : {false, true}) {
        OperationStation orvex(reader({"--family", "orvex"}));
        withPage1 ? orvex.select({1, 2}) : orvex.select({2});
        orvex.readPages(true);
        EXPECT_EQ(orvex.commands(), withPage1 ? (Commands{"RUID", "RD 1", "RD 2"}) : Commands{"RUID"});
        EXPECT_EQ(orvex.report.colourOf("UID"), kGreen);
    }
}

// The kept texts (which the record file and the manual log show) are those of
// the bytes sent, however the page text was typed.
TEST(PageOperations, WritePagesSendsEachSelectedPageWithATextAndSkipsTheEmptyOne)
{
    OperationStation station(reader());
    station.select({1, 2, 3, 4});
    station.pageText[0] = "11 22 33 44 55 66 77 88";
    station.pageText[2] = "aabbccddeeff0001";
    station.pageText[3] = "303 132 3334 35 3637";
    station.writePages(false);
    EXPECT_EQ(station.commands(),
              (Commands{"WD 1 1122334455667788", "WD 3 AABBCCDDEEFF0001", "WD 4 3031323334353637"}));
    EXPECT_EQ(station.hexTextKept[2], "AA BB CC DD EE FF 00 01");
    EXPECT_EQ(station.hexTextKept[3], "30 31 32 33 34 35 36 37");
    EXPECT_EQ(station.asciiTextKept[3], "0 1 2 3 4 5 6 7");
    EXPECT_EQ(station.errorCount, 0);
    EXPECT_EQ(station.report.colourOf("P1"), kGreen);
    EXPECT_EQ(station.report.colourOf("P2"), kWhite);
    EXPECT_EQ(station.report.colourOf("P3"), kGreen);
    EXPECT_TRUE(station.pageSucceeded[0] && !station.pageSucceeded[1] && station.pageSucceeded[2]);
    EXPECT_EQ(station.asciiTextKept[0], "\x11 \" 3 D U f w \x88");
    EXPECT_EQ(station.pageOnTag(3), "AABBCCDDEEFF0001");
}

TEST(PageOperations, WritePagesCountsFailuresAndStopsAtARefusedPage)
{
    // P1 has a bad text (message, red, counted, not sent), P2 is locked on
    // the tag (refused: red, counted), so P3 is not written.
    OperationStation station(reader({"--lock", "2"}));
    station.select({1, 2, 3});
    station.pageText = {"12 34", "01 02 03 04 05 06 07 08", "01 02 03 04 05 06 07 08"};
    station.writePages(false);
    EXPECT_EQ(station.commands(), Commands{"WD 2 0102030405060708"});
    EXPECT_EQ(station.errorCount, 2);
    EXPECT_EQ(station.report.colourOf("P1"), kRed);
    EXPECT_EQ(station.report.colourOf("P2"), kRed);
    EXPECT_EQ(station.report.colourOf("P3"), kWhite);
    ASSERT_EQ(station.report.messages.size(), 1u);
    EXPECT_EQ(station.report.messages[0].first,
              "change P1 to a length of 16 printable hexadecimal characters (20,21,22,...,7D,7E) with spaces in between");
}

TEST(PageOperations, WritePagesReadsTheUidFirstAndWritesNothingWhenItFails)
{
    OperationStation orvex(reader({"--family", "orvex"}));
    orvex.select({1});
    orvex.pageText[0] = "01 02 03 04 05 06 07 08";
    orvex.writePages(true);
    EXPECT_EQ(orvex.commands(), (Commands{"RUID", "WD 1 0102030405060708"}));
    EXPECT_EQ(orvex.errorCount, 0);

    OperationStation noTag(reader({"--family", "orvex", "--no-tag"}));
    noTag.select({1});
    noTag.pageText[0] = "01 02 03 04 05 06 07 08";
    noTag.writePages(true);
    EXPECT_EQ(noTag.commands(), Commands{"RUID"});
    EXPECT_EQ(noTag.errorCount, 1);
    EXPECT_EQ(noTag.report.colourOf("UID"), kRed);
    EXPECT_EQ(noTag.report.colourOf("P1"), kWhite);
}

TEST(PageOperations, LockPagesLocksOnlyTheLockablePagesAndStopsAtARefusal)
{
    OperationStation station(reader());
    station.select({1, 2, 3});
    PageFlagArray lockable{};
    lockable[0] = lockable[2] = true; // automatic mode: what the set locks
    station.lockPages(lockable);
    EXPECT_EQ(station.commands(), (Commands{"LD 1", "LD 3"}));
    EXPECT_EQ(station.errorCount, 0);
    EXPECT_EQ(station.report.colourOf("P3"), kGreen);
    EXPECT_FALSE(station.report.coloured("P2"));

    OperationStation noTag(reader({"--no-tag"}));
    noTag.select({1, 2});
    lockable.fill(true);
    noTag.lockPages(lockable);
    EXPECT_EQ(noTag.commands(), Commands{"LD 1"});
    EXPECT_EQ(noTag.errorCount, 1);
    EXPECT_EQ(noTag.report.colourOf("P1"), kRed);
}

TEST(PageOperations, WithThePortClosedNothingIsSentAndWriteAndLockCountAFailure)
{
    OperationStation station(reader());
    station.portOpen = false;
    station.select({1});
    station.pageText[0] = "01 02 03 04 05 06 07 08";
    station.terminalText = "old\r\n";
    PageFlagArray lockable{};
    lockable.fill(true);

    station.writePages(false);
    EXPECT_EQ(station.errorCount, 1);
    EXPECT_EQ(station.report.colourOf("P1"), kWhite);
    station.lockPages(lockable);
    EXPECT_EQ(station.errorCount, 1);
    station.readPages(true);
    EXPECT_EQ(station.errorCount, 1);
    station.readUid();
    EXPECT_EQ(station.errorCount, 0);
    EXPECT_EQ(station.terminalText, "");
    EXPECT_TRUE(station.commands().empty());
    EXPECT_FALSE(station.report.coloured("UID"));
}

// Noise before each answer spoils it; CR LF line ends are one line end each.
TEST(PageOperations, AReaderSendingNoiseFailsVisiblyAndStopsAndOneEndingItsLinesInCrLfIsUnderstood)
{
    for (const auto &[option, understood] : {std::pair<std::vector<std::string>, bool>({"--noise", "7E7E"}, false),
                                             std::pair<std::vector<std::string>, bool>({"--crlf"}, true)}) {
        SCOPED_TRACE(option[0]);
        OperationStation station(reader(option));
        station.select({1, 2});
        station.pageText[0] = station.pageText[1] = "01 02 03 04 05 06 07 08";
        station.writePages(false);
        EXPECT_EQ(station.errorCount, understood ? 0 : 1);
        EXPECT_EQ(station.report.colourOf("P1"), understood ? kGreen : kRed);
        EXPECT_EQ(station.report.colourOf("P2"), understood ? kGreen : kWhite);
        const Commands written{"WD 1 0102030405060708", "WD 2 0102030405060708"};
        EXPECT_EQ(station.commands(), understood ? written : Commands{written[0]});

        station.readPages(false);
        EXPECT_EQ(station.report.colourOf("P1"), understood ? kGreen : kRed);
        EXPECT_EQ(station.pageSucceeded[0], understood);
        EXPECT_EQ(station.pageText[0], "01 02 03 04 05 06 07 08");
    }
}

} // namespace
} // namespace teb
