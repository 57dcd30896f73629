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

struct CarrierIdBoxes {
    std::string offset;
    std::string length;
    std::string carrierId;
};

TEST(CarrierId, ReadTakesTheBytesFromThePagesTheyLieIn)
{
    const struct {
        std::string offset, length;
        bool ascii;
        Commands reads;
        std::string carrierId;
    } cases[] = {
        {"0", "8", true, {"RD 1"}, "01234567"},
        {"4", "8", true, {"RD 1", "RD 2"}, "4567ABCD"},
        {"8", "8", false, {"RD 2"}, "4142434445464748"},
        {"15", "0", true, {"RD 2"}, "H"},          // a length below 1 counts as 1
        {" +2", "20", false, {}, "unchanged"},     // 20 counts as 16, which leaves the pages
    };
    for (const auto &c : cases) {
        OperationStation station(reader());
        station.asciiFormat = c.ascii;
        CarrierIdBoxes boxes{c.offset, c.length, "unchanged"};
        station.readCarrierId(boxes.offset, boxes.length, boxes.carrierId);
        EXPECT_EQ(station.commands(), c.reads) << c.offset << "/" << c.length;
        EXPECT_EQ(boxes.carrierId, c.carrierId) << c.offset << "/" << c.length;
        const bool refused = c.reads.empty();
        EXPECT_EQ(station.report.colourOf("Carrier ID"), refused ? ResultColour::Red : ResultColour::Green);
        EXPECT_EQ(station.report.messages.size(), refused ? 1u : 0u);
        EXPECT_EQ(station.errorCount, 0);
    }
}

TEST(CarrierId, AFailedPageReadTurnsItsBoxAndTheCarrierIdRedAndKeepsTheText)
{
    OperationStation station(reader({"--fault", "no-read", "--fault-on", "RD 2"}));
    CarrierIdBoxes boxes{"4", "8", "old"};
    station.readCarrierId(boxes.offset, boxes.length, boxes.carrierId);
    EXPECT_EQ(station.report.colourOf("P1"), ResultColour::Green);
    EXPECT_EQ(station.report.colourOf("P2"), ResultColour::Red);
    EXPECT_EQ(station.report.colourOf("Carrier ID"), ResultColour::Red);
    EXPECT_EQ(boxes.carrierId, "old");
}

// Page 1's answer comes after its wait and after the time the station gives
// a late answer (17 T = 442 ms with "TOR" 2, twice that 884 ms): no page is
// read after the failed one, so page 1's bytes can never show as page 2's.
TEST(CarrierId, AfterAFailedPageNoFurtherPageIsRead)
{
    OperationStation station({"--tor", "2", "--page", "1=" + kPage1, "--page", "2=" + kPage2, "--fault", "slow",
                              "--fault-on", "RD 1", "--fault-delay", "1000"});
    CarrierIdBoxes boxes{"4", "8", "old"};
    station.readCarrierId(boxes.offset, boxes.length, boxes.carrierId);
    EXPECT_EQ(station.commands(), Commands{"RD 1"});
    EXPECT_EQ(station.report.colourOf("P1"), ResultColour::Red);
    EXPECT_EQ(station.report.colourOf("P2"), ResultColour::White);
    EXPECT_EQ(station.report.colourOf("Carrier ID"), ResultColour::Red);
    EXPECT_EQ(station.hexTextKept[1], "");
    EXPECT_EQ(boxes.carrierId, "old");
}

TEST(CarrierId, WriteKeepsTheOtherBytesAndReadsTheCarrierIdBack)
{
    const struct {
        std::string offset, length, carrierId;
        bool ascii;
        std::string page1, page2;
    } cases[] = {
        {"2", "3", "ABC", true, "3031414243353637", kPage2},
        {"6", "4", "a1B2c3D4", false, "303132333435A1B2", "C3D4434445464748"},
        {"0", "16", "0123456789abcdef", true, "3031323334353637", "3839616263646566"},
    };
    for (const auto &c : cases) {
        OperationStation station(reader());
        station.asciiFormat = c.ascii;
        CarrierIdBoxes boxes{c.offset, c.length, c.carrierId};
        station.writeCarrierId(boxes.offset, boxes.length, boxes.carrierId);
        EXPECT_EQ(station.pageOnTag(1), c.page1) << c.carrierId;
        EXPECT_EQ(station.pageOnTag(2), c.page2) << c.carrierId;
        EXPECT_EQ(station.report.colourOf("Carrier ID"), ResultColour::Green) << c.carrierId;
        EXPECT_EQ(station.report.colourOf("P1"), ResultColour::Green);
        EXPECT_EQ(boxes.carrierId, c.ascii ? c.carrierId : "A1B2C3D4");
        EXPECT_EQ(station.errorCount, 0);
    }
}

TEST(CarrierId, WriteRefusesACarrierIdOfTheWrongFormOrPlace)
{
    const struct {
        std::string offset, length, carrierId;
        bool ascii;
        std::string message;
    } cases[] = {
        {"0", "4", "ABC", true, "change Carrier ID to a length of 4 characters"},
        {"0", "4", "ABCDE", true, "change Carrier ID to a length of 4 characters"},
        {"0", "2", "414", false, "change Carrier ID to a length of 2 printable hexadecimal (20,21,..7E,..) characters"},
        {"0", "2", "41GG", false, "change Carrier ID to a length of 2 printable hexadecimal (20,21,..7E,..) characters"},
        {"14", "3", "ABC", true, carrierIdRangeMessage()},
        {"-1", "3", "ABC", true, carrierIdRangeMessage()},
        {"4294967300", "3", "ABC", true, carrierIdRangeMessage()},
    };
    for (const auto &c : cases) {
        OperationStation station(reader());
        station.asciiFormat = c.ascii;
        CarrierIdBoxes boxes{c.offset, c.length, c.carrierId};
        station.writeCarrierId(boxes.offset, boxes.length, boxes.carrierId);
        EXPECT_TRUE(station.commands().empty()) << c.offset << "/" << c.carrierId;
        ASSERT_EQ(station.report.messages.size(), 1u);
        EXPECT_EQ(station.report.messages[0].first, c.message);
        EXPECT_EQ(station.report.colourOf("Carrier ID"), ResultColour::Red);
    }
}

TEST(CarrierId, WriteWritesNothingAfterAFailedReadAndIsGreenOnlyWhenWritten)
{
    // A failed read of page 1: no page is written, the read-back follows.
    OperationStation failedRead(reader({"--fault", "no-read", "--fault-on", "RD 1", "--fault-count", "1"}));
    failedRead.asciiFormat = true;
    CarrierIdBoxes boxes{"0", "3", "XYZ"};
    failedRead.writeCarrierId(boxes.offset, boxes.length, boxes.carrierId);
    EXPECT_EQ(failedRead.commands(), (Commands{"RD 1", "RD 1"}));
    EXPECT_EQ(failedRead.report.colourOf("Carrier ID"), ResultColour::Red);
    EXPECT_EQ(boxes.carrierId, "012");

    // Page 1 refused (locked): page 2 is not written; the read-back shows the
    // old ID and the box stays red. The refusal stays on the terminal view.
    OperationStation locked(reader({"--lock", "1"}));
    locked.asciiFormat = true;
    CarrierIdBoxes lockedBoxes{"6", "4", "WXYZ"};
    locked.writeCarrierId(lockedBoxes.offset, lockedBoxes.length, lockedBoxes.carrierId);
    EXPECT_EQ(locked.commands(), (Commands{"RD 1", "RD 2", "WD 1 3031323334355758", "RD 1", "RD 2"}));
    EXPECT_EQ(locked.report.colourOf("P1"), ResultColour::Green); // the read-back read it
    EXPECT_EQ(locked.report.colourOf("Carrier ID"), ResultColour::Red);
    EXPECT_EQ(lockedBoxes.carrierId, "67AB");
    EXPECT_NE(locked.terminalText.find("NAK\r\nWD 1 3031323334355758// Write page 1\r\n"), std::string::npos)
        << locked.terminalText;

    // Page 2 refused after page 1 took its part.
    OperationStation secondLocked(reader({"--lock", "2"}));
    secondLocked.asciiFormat = true;
    CarrierIdBoxes secondBoxes{"6", "4", "WXYZ"};
    secondLocked.writeCarrierId(secondBoxes.offset, secondBoxes.length, secondBoxes.carrierId);
    EXPECT_EQ(secondLocked.report.colourOf("Carrier ID"), ResultColour::Red);
    EXPECT_EQ(secondBoxes.carrierId, "WXAB");
}

// Only the pages the carrier ID lies in are read and written: a locked page
// beside it does not stand in the way.
TEST(CarrierId, WriteTouchesOnlyThePagesTheCarrierIdLiesIn)
{
    const struct {
        std::string lockedPage, offset;
        Commands commands;
        int page;
        std::string onTag;
    } cases[] = {
        {"1", "8", {"RD 2", "WD 2 5758595A45464748", "RD 2"}, 2, "5758595A45464748"},
        {"2", "0", {"RD 1", "WD 1 5758595A34353637", "RD 1"}, 1, "5758595A34353637"},
    };
    for (const auto &c : cases) {
        OperationStation station(reader({"--lock", c.lockedPage}));
        station.asciiFormat = true;
        CarrierIdBoxes boxes{c.offset, "4", "WXYZ"};
        station.writeCarrierId(boxes.offset, boxes.length, boxes.carrierId);
        EXPECT_EQ(station.commands(), c.commands) << c.lockedPage;
        EXPECT_EQ(station.pageOnTag(c.page), c.onTag);
        EXPECT_EQ(station.report.colourOf("P" + std::to_string(c.page)), ResultColour::Green);
        EXPECT_EQ(station.report.colourOf("Carrier ID"), ResultColour::Green);
        EXPECT_EQ(boxes.carrierId, "WXYZ");
    }
}

// The check takes the length the write takes: 1 .. 16.
TEST(CarrierId, TheLengthCheckWantsNCharactersOrTwoNDigits)
{
    const struct {
        std::string carrierId, length;
        bool ascii, warns;
    } cases[] = {
        {"ABCD", "4", true, false},   {"ABC", "4", true, true},     {"41424344", "4", false, false},
        {"4142", "4", false, true},   {"", "x", true, true},        {"A", "-1", true, false},
        {"A", "0", true, false},      {"0123456789ABCDEF", "20", true, false},
        {"0123456789ABCDEFGHIJ", "20", true, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(carrierIdLengthWarning(c.carrierId, c.length, c.ascii).has_value(), c.warns)
            << c.carrierId << "/" << c.length;
    EXPECT_EQ(carrierIdLengthWarning("4142", "4", false),
              "change Carrier ID to a length of 4 printable hexadecimal (20,21,..7E,..) characters");
    EXPECT_EQ(carrierIdLengthWarning("ABC", "20", true), "change Carrier ID to a length of 16 characters");
    EXPECT_EQ(carrierIdLengthWarning("", "0", true), "change Carrier ID to a length of 1 characters");
}

} // namespace
} // namespace teb
