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
const std::string kData = "01 02 03 04 05 06 07 08";

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
    for (const bool tag : {true, false}) {
        OperationStation station(reader(tag ? std::vector<std::string>{"--uid", "12345678"}
                                            : std::vector<std::string>{"--no-tag"}));
        station.errorCount = 5;
        auto context = station.context();
        readUid(context);
        EXPECT_EQ(station.uidText, tag ? "12345678" : "No Read\r"); // the first 8 characters, as kept
        EXPECT_EQ(station.report.colourOf("UID"), tag ? kGreen : kRed);
        EXPECT_EQ(station.errorCount, tag ? 0 : 1);
        EXPECT_EQ(station.report.focus.back(), "UID");
    }
}

// Reading fills the text and both kept texts of each page; it stops after a
// short answer, leaving the failed page's text as it was.
TEST(PageOperations, ReadPagesFillsTextAndKeptTextsAndStopsAfterAShortAnswer)
{
    OperationStation station(reader());
    station.asciiFormat = true;
    station.select({1, 2});
    station.errorCount = 3; // reading leaves it alone
    auto context = station.context();
    readPages(context, false);
    EXPECT_EQ(station.hexTextKept[0], "30 31 32 33 34 35 36 37");
    EXPECT_EQ(station.asciiTextKept[1], "A B C D E F G H");
    EXPECT_EQ(station.pageText[1], "A B C D E F G H");
    EXPECT_TRUE(station.pageSucceeded[0] && station.pageSucceeded[1] && !station.pageSucceeded[2]);
    EXPECT_EQ(station.report.colourOf("P2"), kGreen);
    EXPECT_EQ(station.errorCount, 3);

    OperationStation noRead(reader({"--fault", "no-read", "--fault-on", "RD 3"}));
    noRead.select({3, 5});
    noRead.pageText[2] = "kept";
    auto noReadContext = noRead.context();
    readPages(noReadContext, false);
    EXPECT_EQ(noRead.commands(), Commands{"RD 3"});
    EXPECT_EQ(noRead.report.colourOf("P3"), kRed);
    EXPECT_EQ(noRead.report.colourOf("P5"), kWhite);
    EXPECT_EQ(noRead.pageText[2], "kept");

    // The UID answer (8 characters and CR LF) is too short to let P2 be read
    // when P1 is not; a page answer after P1 is long enough.
    for (const bool withPage1 : {false, true}) {
        OperationStation orvex(reader({"--family", "orvex"}));
        withPage1 ? orvex.select({1, 2}) : orvex.select({2});
        auto orvexContext = orvex.context();
        readPages(orvexContext, true);
        EXPECT_EQ(orvex.commands(), withPage1 ? (Commands{"RUID", "RD 1", "RD 2"}) : Commands{"RUID"});
    }
}

// A page with a bad text is reported and counted but not sent, an empty one is
// skipped, and a page the tag refuses ends the write. The kept texts are those
// of the bytes sent, however the text was typed.
TEST(PageOperations, WritePagesSendsEachSelectedTextCountsFailuresAndStopsAtARefusedPage)
{
    OperationStation station(reader({"--lock", "4"}));
    station.select({1, 2, 3, 4, 5});
    station.pageText = {"12 34", "", "aabbccddeeff0001", "303 132 3334 35 3637", kData};
    auto context = station.context();
    writePages(context, false);
    EXPECT_EQ(station.commands(), (Commands{"WD 3 AABBCCDDEEFF0001", "WD 4 3031323334353637"}));
    EXPECT_EQ(station.errorCount, 2);
    EXPECT_EQ(station.report.colourOf("P1"), kRed);
    EXPECT_EQ(station.report.colourOf("P2"), kWhite);
    EXPECT_EQ(station.report.colourOf("P3"), kGreen);
    EXPECT_EQ(station.report.colourOf("P4"), kRed);
    EXPECT_EQ(station.report.colourOf("P5"), kWhite);
    EXPECT_EQ(station.hexTextKept[2], "AA BB CC DD EE FF 00 01");
    EXPECT_EQ(station.pageOnTag(3), "AABBCCDDEEFF0001");
    ASSERT_EQ(station.report.messages.size(), 1u);
    EXPECT_EQ(station.report.messages[0].first,
              "change P1 to a length of 16 printable hexadecimal characters (20,21,22,...,7D,7E) with spaces in between");
}

// With the UID first (Orvex), a failed UID read writes nothing.
TEST(PageOperations, WritePagesReadsTheUidFirstAndWritesNothingWhenItFails)
{
    for (const bool tag : {true, false}) {
        OperationStation orvex(reader(tag ? Commands{"--family", "orvex"} : Commands{"--family", "orvex", "--no-tag"}));
        orvex.select({1});
        orvex.pageText[0] = kData;
        auto context = orvex.context();
        writePages(context, true);
        EXPECT_EQ(orvex.commands(), tag ? (Commands{"RUID", "WD 1 0102030405060708"}) : Commands{"RUID"});
        EXPECT_EQ(orvex.errorCount, tag ? 0 : 1);
        EXPECT_EQ(orvex.report.colourOf("P1"), tag ? kGreen : kWhite);
    }
}

TEST(PageOperations, LockPagesLocksOnlyTheLockablePagesAndStopsAtARefusal)
{
    OperationStation station(reader());
    station.select({1, 2, 3});
    PageFlagArray lockable{};
    lockable[0] = lockable[2] = true; // automatic mode: what the set locks
    auto context = station.context();
    lockPages(context, lockable);
    EXPECT_EQ(station.commands(), (Commands{"LD 1", "LD 3"}));
    EXPECT_FALSE(station.report.coloured("P2"));

    OperationStation noTag(reader({"--no-tag"}));
    noTag.select({1, 2});
    lockable.fill(true);
    auto noTagContext = noTag.context();
    lockPages(noTagContext, lockable);
    EXPECT_EQ(noTag.commands(), Commands{"LD 1"});
    EXPECT_EQ(noTag.errorCount, 1);
    EXPECT_EQ(noTag.report.colourOf("P1"), kRed);
}

TEST(PageOperations, WithThePortClosedNothingIsSentAndWriteAndLockCountAFailure)
{
    OperationStation station(reader());
    station.portOpen = false;
    station.select({1});
    station.pageText[0] = kData;
    PageFlagArray lockable{};
    lockable.fill(true);
    auto context = station.context();
    writePages(context, false);
    EXPECT_EQ(station.errorCount, 1);
    lockPages(context, lockable);
    EXPECT_EQ(station.errorCount, 1);
    readUid(context);
    EXPECT_EQ(station.errorCount, 0);
    EXPECT_TRUE(station.commands().empty());
    EXPECT_EQ(station.report.colourOf("P1"), kWhite);
}

// Noise before each answer spoils it; CR LF line ends are one line end each.
TEST(PageOperations, AReaderSendingNoiseFailsVisiblyAndOneEndingItsLinesInCrLfIsUnderstood)
{
    for (const auto &[option, understood] : {std::pair<Commands, bool>({"--noise", "7E7E"}, false),
                                             std::pair<Commands, bool>({"--crlf"}, true)}) {
        SCOPED_TRACE(option[0]);
        OperationStation station(reader(option));
        station.select({1, 2});
        station.pageText[0] = station.pageText[1] = kData;
        auto context = station.context();
        writePages(context, false);
        EXPECT_EQ(station.errorCount, understood ? 0 : 1);
        EXPECT_EQ(station.report.colourOf("P2"), understood ? kGreen : kWhite);
        readPages(context, false);
        EXPECT_EQ(station.report.colourOf("P1"), understood ? kGreen : kRed);
        EXPECT_EQ(station.pageText[0], kData);
    }
}

} // namespace
} // namespace teb
