// The manual page and carrier-ID operations against the simulated reader on a
// real pseudo-terminal: commands sent, colours, errorCount, page texts and
// the bytes on the transponder afterwards.
#include "support/operation_station.h"

#include <gtest/gtest.h>

namespace teb {
namespace {

using test::OperationStation;
using Commands = std::vector<std::string>;

constexpr auto kGreen = ResultColour::Green;
constexpr auto kRed = ResultColour::Red;
constexpr auto kWhite = ResultColour::White;

const std::string kPage1 = "3031323334353637"; // "01234567"
const std::string kPage2 = "4142434445464748"; // "ABCDEFGH"
const std::string kData = "01 02 03 04 05 06 07 08";

// T from "TOR" 8: 200 ms, or 104 ms for page reads; waits of 0.4 s and more,
// ample for answers that come, for a run on a busy machine.
std::vector<std::string> reader(std::vector<std::string> extra = {})
{
    std::vector<std::string> options{"--tor", "8", "--page", "1=" + kPage1, "--page", "2=" + kPage2};
    options.insert(options.end(), extra.begin(), extra.end());
    return options;
}

TEST(PageOperations, ReadPagesStopsAfterAShortAnswer)
{
    OperationStation noRead(reader({"--fault", "no-read", "--fault-on", "RD 3"}));
    noRead.select({3, 5});
    noRead.pageText[2] = "kept";
    noRead.readPages(false);
    EXPECT_EQ(noRead.commands(), Commands{"RD 3"});
    EXPECT_EQ(noRead.report.colourOf("P3"), kRed);
    EXPECT_EQ(noRead.report.colourOf("P5"), kWhite);
    EXPECT_EQ(noRead.pageText[2], "kept");
}

// A page with a bad text is reported and counted but not sent, an empty one is
// skipped, and a page the tag refuses ends the write.
TEST(PageOperations, WritePagesSendsEachSelectedTextCountsFailuresAndStopsAtARefusedPage)
{
    OperationStation station(reader({"--lock", "4"}));
    station.select({1, 2, 3, 4, 5});
    station.pageText = {"12 34", "", "aabbccddeeff0001", "303 132 3334 35 3637", kData};
    station.writePages(false);
    EXPECT_EQ(station.commands(), (Commands{"WD 3 AABBCCDDEEFF0001", "WD 4 3031323334353637"}));
    EXPECT_EQ(station.errorCount, 2);
    EXPECT_EQ(station.report.colourOf("P1"), kRed);
    EXPECT_EQ(station.report.colourOf("P3"), kGreen);
    EXPECT_EQ(station.report.colourOf("P4"), kRed);
    EXPECT_EQ(station.pageOnTag(3), "AABBCCDDEEFF0001");
    EXPECT_EQ(station.report.messages, std::vector<std::string>{"change P1 to a length of 16 printable hexadecimal "
                                                                "characters (20,21,22,...,7D,7E) with spaces in between"});
}

// A page is locked only where it is selected and the set locks it.
TEST(PageOperations, LockPagesLocksTheSelectedPagesTheSetLocks)
{
    OperationStation station(reader());
    station.select({1, 2, 3});
    PageFlagArray lockable{};
    lockable[0] = lockable[3] = true;
    station.lockPages(lockable);
    EXPECT_EQ(station.commands(), Commands{"LD 1"});
}

// Only the reader's refusal leaves the tag as it was: any other answer to a
// write (garbled, empty, none at all) may come from a write that took effect.
TEST(PageOperations, OnlyARefusalMeansAWriteDidNotReachTheTag)
{
    for (const std::string fault : {"nak", "wrong-answer", "empty-answer", "answer-lost"}) {
        SCOPED_TRACE(fault);
        OperationStation station(reader({"--fault", fault, "--fault-on", "WD 1"}));
        station.select({1, 2});
        station.pageText = {kData, kData};
        station.writePages(false);
        EXPECT_EQ(station.last.failedPage, 1);
        EXPECT_EQ(station.last.refused, fault == "nak");
        EXPECT_EQ(station.last.reachedTag, fault != "nak");
    }
}

TEST(CarrierId, ReadTakesTheBytesFromThePagesTheyLieIn)
{
    const struct {
        CarrierIdEntry boxes;
        Commands reads;
        std::string carrierId;
    } cases[] = {
        {{"4", "8", "", true}, {"RD 1", "RD 2"}, "4567ABCD"},
        {{"15", "0", "", true}, {"RD 2"}, "H"},         // a length below 1 counts as 1
        {{" +2", "20", "kept", false}, {}, "kept"},    // 20 counts as 16, which leaves the pages
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.boxes.offsetText + "/" + c.boxes.lengthText);
        OperationStation station(reader());
        station.readCarrierId(c.boxes);
        EXPECT_EQ(station.commands(), c.reads);
        EXPECT_EQ(c.boxes.carrierId, c.carrierId);
        const bool refused = c.reads.empty();
        EXPECT_EQ(station.report.colourOf("Carrier ID"), refused ? ResultColour::Red : ResultColour::Green);
        EXPECT_EQ(station.report.messages.size(), refused ? 1u : 0u);
    }
}

// Page 1's answer comes after its wait and after the time the station gives
// a late answer (17 T = 442 ms with "TOR" 2, twice that 884 ms): no page is
// read after the failed one, so page 1's bytes can never show as page 2's.
TEST(CarrierId, AfterAFailedPageNoFurtherPageIsReadAndTheTextStays)
{
    OperationStation station({"--tor", "2", "--page", "1=" + kPage1, "--page", "2=" + kPage2, "--fault", "slow",
                              "--fault-on", "RD 1", "--fault-delay", "1000"});
    CarrierIdEntry boxes{"4", "8", "old", true};
    station.readCarrierId(boxes);
    EXPECT_EQ(station.commands(), Commands{"RD 1"});
    EXPECT_EQ(station.report.colourOf("P1"), ResultColour::Red);
    EXPECT_EQ(station.report.colourOf("P2"), ResultColour::White);
    EXPECT_EQ(station.report.colourOf("Carrier ID"), ResultColour::Red);
    EXPECT_EQ(boxes.carrierId, "old");
}

// A write keeps the other bytes of its pages, touches only the pages the
// carrier ID lies in (a locked page beside them is no obstacle) and reads the
// carrier ID back.
TEST(CarrierId, WriteKeepsTheOtherBytesAndReadsTheCarrierIdBack)
{
    const struct {
        std::string lockedPage;
        CarrierIdEntry boxes;
        std::string page1, page2, shown;
    } cases[] = {
        {"", {"6", "4", "a1B2c3D4", false}, "303132333435A1B2", "C3D4434445464748", "A1B2C3D4"},
        {"", {"0", "16", "0123456789abcdef", true}, kPage1, "3839616263646566", "0123456789abcdef"},
        {"1", {"8", "4", "WXYZ", true}, kPage1, "5758595A45464748", "WXYZ"},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.boxes.carrierId);
        OperationStation station(reader(c.lockedPage.empty() ? Commands{} : Commands{"--lock", c.lockedPage}));
        station.writeCarrierId(c.boxes);
        EXPECT_EQ(station.report.colourOf("Carrier ID"), ResultColour::Green);
        EXPECT_EQ(station.errorCount, 0);
        EXPECT_EQ(c.boxes.carrierId, c.shown);
        EXPECT_EQ(station.pageOnTag(1), c.page1);
        EXPECT_EQ(station.pageOnTag(2), c.page2);
    }
}

TEST(CarrierId, WriteRefusesACarrierIdOfTheWrongFormOrPlace)
{
    const struct {
        CarrierIdEntry boxes;
        std::string message;
    } cases[] = {
        {{"0", "4", "ABC", true}, "change Carrier ID to a length of 4 characters"},
        {{"0", "2", "414", false}, "change Carrier ID to a length of 2 printable hexadecimal (20,21,..7E,..) characters"},
        {{"14", "3", "ABC", true}, carrierIdRangeMessage()},
        {{"4294967300", "3", "ABC", true}, carrierIdRangeMessage()},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.boxes.offsetText + "/" + c.boxes.carrierId);
        OperationStation station(reader());
        station.writeCarrierId(c.boxes);
        EXPECT_TRUE(station.commands().empty());
        EXPECT_EQ(station.report.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(station.report.colourOf("Carrier ID"), ResultColour::Red);
    }
}

// A failed read writes nothing; a page the tag refuses ends the write, the
// read-back shows what the tag holds and the box stays red.
TEST(CarrierId, WriteIsGreenOnlyWhenWritten)
{
    OperationStation failedRead(reader({"--fault", "no-read", "--fault-on", "RD 1", "--fault-count", "1"}));
    CarrierIdEntry boxes{"0", "3", "XYZ", true};
    failedRead.writeCarrierId(boxes);
    EXPECT_EQ(failedRead.commands(), (Commands{"RD 1", "RD 1"}));
    EXPECT_EQ(failedRead.report.colourOf("Carrier ID"), ResultColour::Red);
    EXPECT_EQ(boxes.carrierId, "012");

    for (const auto &[lockedPage, shown] : {std::pair("1", "67AB"), std::pair("2", "WXAB")}) {
        OperationStation locked(reader({"--lock", lockedPage}));
        CarrierIdEntry lockedBoxes{"6", "4", "WXYZ", true};
        locked.writeCarrierId(lockedBoxes);
        EXPECT_EQ(locked.report.colourOf("Carrier ID"), ResultColour::Red);
        EXPECT_EQ(lockedBoxes.carrierId, shown);
        if (std::string(lockedPage) == "1") { // page 2 is not written
            EXPECT_EQ(locked.commands(), (Commands{"RD 1", "RD 2", "WD 1 3031323334355758", "RD 1", "RD 2"}));
        }
    }
}

} // namespace
} // namespace teb
