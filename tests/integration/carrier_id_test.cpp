// Reading and writing the carrier ID against the simulated reader: which
// pages are read, the bytes on the transponder afterwards, and the refusals.
#include "transponder/carrier_id_operations.h"

#include "support/operation_station.h"

#include <gtest/gtest.h>

namespace teb {
namespace {

using test::OperationStation;
using Commands = std::vector<std::string>;

const std::string kPage1 = "3031323334353637"; // "01234567"
const std::string kPage2 = "4142434445464748"; // "ABCDEFGH"

std::vector<std::string> reader(std::vector<std::string> extra = {})
{
    std::vector<std::string> options{"--tor", "8", "--page", "1=" + kPage1, "--page", "2=" + kPage2};
    options.insert(options.end(), extra.begin(), extra.end());
    return options;
}

// The carrier-ID boxes of the manual group, and the operation run on them.
struct CarrierIdBoxes {
    std::string offset, length, carrierId;
    bool ascii = true;

    template <typename Operation>
    void run(OperationStation &station, Operation operation)
    {
        station.asciiFormat = ascii;
        auto context = station.context();
        operation(context, ManualCarrierIdFields{offset, length, carrierId});
    }
};

TEST(CarrierId, ReadTakesTheBytesFromThePagesTheyLieIn)
{
    const struct {
        CarrierIdBoxes boxes;
        Commands reads;
        std::string carrierId;
    } cases[] = {
        {{"0", "8", "", true}, {"RD 1"}, "01234567"},
        {{"4", "8", "", true}, {"RD 1", "RD 2"}, "4567ABCD"},
        {{"8", "8", "", false}, {"RD 2"}, "4142434445464748"},
        {{"15", "0", "", true}, {"RD 2"}, "H"},         // a length below 1 counts as 1
        {{" +2", "20", "kept", false}, {}, "kept"},    // 20 counts as 16, which leaves the pages
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.boxes.offset + "/" + c.boxes.length);
        OperationStation station(reader());
        c.boxes.run(station, readCarrierId);
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
    CarrierIdBoxes boxes{"4", "8", "old"};
    boxes.run(station, readCarrierId);
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
        CarrierIdBoxes boxes;
        std::string page1, page2, shown;
    } cases[] = {
        {"", {"2", "3", "ABC", true}, "3031414243353637", kPage2, "ABC"},
        {"", {"6", "4", "a1B2c3D4", false}, "303132333435A1B2", "C3D4434445464748", "A1B2C3D4"},
        {"", {"0", "16", "0123456789abcdef", true}, kPage1, "3839616263646566", "0123456789abcdef"},
        {"1", {"8", "4", "WXYZ", true}, kPage1, "5758595A45464748", "WXYZ"},
        {"2", {"0", "4", "WXYZ", true}, "5758595A34353637", kPage2, "WXYZ"},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.boxes.carrierId);
        OperationStation station(reader(c.lockedPage.empty() ? Commands{} : Commands{"--lock", c.lockedPage}));
        c.boxes.run(station, writeCarrierId);
        EXPECT_EQ(station.report.colourOf("Carrier ID"), ResultColour::Green);
        EXPECT_EQ(station.errorCount, 0);
        EXPECT_EQ(c.boxes.carrierId, c.shown);
        EXPECT_EQ(station.pageOnTag(1), c.page1);
        EXPECT_EQ(station.pageOnTag(2), c.page2);
    }
}

TEST(CarrierId, WriteRefusesACarrierIdOfTheWrongFormOrPlace)
{
    const std::string hexLength2 = "change Carrier ID to a length of 2 printable hexadecimal (20,21,..7E,..) characters";
    const struct {
        CarrierIdBoxes boxes;
        std::string message;
    } cases[] = {
        {{"0", "4", "ABC", true}, "change Carrier ID to a length of 4 characters"},
        {{"0", "2", "414", false}, hexLength2},
        {{"0", "2", "41GG", false}, hexLength2},
        {{"14", "3", "ABC", true}, carrierIdRangeMessage()},
        {{"-1", "3", "ABC", true}, carrierIdRangeMessage()},
        {{"4294967300", "3", "ABC", true}, carrierIdRangeMessage()},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.boxes.offset + "/" + c.boxes.carrierId);
        OperationStation station(reader());
        c.boxes.run(station, writeCarrierId);
        EXPECT_TRUE(station.commands().empty());
        ASSERT_EQ(station.report.messages.size(), 1u);
        EXPECT_EQ(station.report.messages[0].first, c.message);
        EXPECT_EQ(station.report.colourOf("Carrier ID"), ResultColour::Red);
    }
}

// A failed read writes nothing; a page the tag refuses ends the write, the
// read-back shows what the tag holds and the box stays red.
TEST(CarrierId, WriteIsGreenOnlyWhenWritten)
{
    OperationStation failedRead(reader({"--fault", "no-read", "--fault-on", "RD 1", "--fault-count", "1"}));
    CarrierIdBoxes boxes{"0", "3", "XYZ"};
    boxes.run(failedRead, writeCarrierId);
    EXPECT_EQ(failedRead.commands(), (Commands{"RD 1", "RD 1"}));
    EXPECT_EQ(failedRead.report.colourOf("Carrier ID"), ResultColour::Red);
    EXPECT_EQ(boxes.carrierId, "012");

    for (const auto &[lockedPage, shown] : {std::pair("1", "67AB"), std::pair("2", "WXAB")}) {
        OperationStation locked(reader({"--lock", lockedPage}));
        CarrierIdBoxes lockedBoxes{"6", "4", "WXYZ"};
        lockedBoxes.run(locked, writeCarrierId);
        EXPECT_EQ(locked.report.colourOf("Carrier ID"), ResultColour::Red);
        EXPECT_EQ(lockedBoxes.carrierId, shown);
        if (std::string(lockedPage) == "1") { // the refusal stays on the terminal view, page 2 is not written
            EXPECT_EQ(locked.commands(), (Commands{"RD 1", "RD 2", "WD 1 3031323334355758", "RD 1", "RD 2"}));
            EXPECT_NE(locked.terminalText.find("NAK\r\nWD 1 3031323334355758// Write page 1\r\n"), std::string::npos);
        }
    }
}

// The check takes the length the write takes: 1 .. 16.
TEST(CarrierId, TheLengthCheckWantsNCharactersOrTwoNDigits)
{
    const struct {
        std::string carrierId, length;
        bool ascii, warns;
    } cases[] = {
        {"ABCD", "4", true, false}, {"ABC", "4", true, true},  {"41424344", "4", false, false},
        {"4142", "4", false, true}, {"", "x", true, true},     {"A", "-1", true, false},
        {"0123456789ABCDEF", "20", true, false},               {"0123456789ABCDEFGHIJ", "20", true, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(carrierIdLengthWarning(c.carrierId, c.length, c.ascii).has_value(), c.warns)
            << c.carrierId << "/" << c.length;
    EXPECT_EQ(carrierIdLengthWarning("ABC", "20", true), "change Carrier ID to a length of 16 characters");
    EXPECT_EQ(carrierIdLengthWarning("", "0", true), "change Carrier ID to a length of 1 characters");
}

} // namespace
} // namespace teb
