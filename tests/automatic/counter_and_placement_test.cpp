#include "automatic/counter_arithmetic.h"
#include "automatic/page_placement.h"
#include "csv_fixture.h"

#include <gtest/gtest.h>

#include <limits>

namespace teb {
namespace {

constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max();

TEST(CounterArithmetic, LimitSaturates)
{
    const std::pair<const char *, std::uint64_t> cases[] = {
        {"0", 0}, {"-3", 0}, {"1", 9}, {"19", 9'999'999'999'999'999'999ULL}, {"20", kLargest}, {"99999", kLargest},
    };
    for (const auto &[length, limit] : cases)
        EXPECT_EQ(counterLimit(length), limit) << length;
}

TEST(CounterArithmetic, StepsAndCommitsStayWithinTheLimit)
{
    struct Case {
        const char *value, *length;
        StepDirection direction;
        const char *expected;
    };
    const Case steps[] = {
        {"41", "3", StepDirection::Down, "40"}, {"5", "0", StepDirection::Up, "0"}, {"5", "0", StepDirection::Down, "0"},
        {"-7", "3", StepDirection::Down, "999"}, {"5000", "2", StepDirection::Down, "98"},
        {" +42abc", "3", StepDirection::Up, "43"}, {"99999999999999999999999", "20", StepDirection::Down, "18446744073709551614"},
    };
    for (const Case &c : steps)
        EXPECT_EQ(steppedCounter(c.value, c.length, c.direction), c.expected) << c.value << " " << c.length;

    EXPECT_EQ(committedCounter("5000", "2"), "99");
    EXPECT_EQ(committedCounter("17", "0"), "0");
    EXPECT_EQ(committedCounter("0042", "4"), "42");
}

TEST(CounterArithmetic, CountedNumbersAreDigitsOnly)
{
    EXPECT_EQ(countedNumber("18446744073709551615"), kLargest);
    for (const char *text : {"", " 42", "42 ", "+1", "-1", "4a", "18446744073709551616"})
        EXPECT_FALSE(countedNumber(text)) << text;
    EXPECT_EQ(zeroPadded(12345, 3), "12345");
    EXPECT_EQ(nextCounterPageValue(99'999'999), "00000000");
    EXPECT_EQ(nextCounterPageValue(122), "00000123");
}

// Placing over the CSV fixture's set and pages: carrier ID at byte 0 of page
// 1. Each placement reads the boxes and takes the placed pages back.
class Placement : public test::CsvSourceFixture, public ::testing::Test {
protected:
    Placement() { set.carrierIdLength = "16"; }
    bool placeId(std::string_view id)
    {
        PageImage pages = image();
        const bool placed = placeCarrierId(pages, set, id);
        takePlaced(pages);
        return placed;
    }
    CounterPlacement placeCounter()
    {
        PageImage pages = image();
        const CounterPlacement placed = placeCounterValue(pages, counterPageNumber(set.counterPage), set.counterValue);
        takePlaced(pages);
        return placed;
    }
};

TEST_F(Placement, RunsOutsideTheCellsAndTooLongIdsAreRefused)
{
    const auto before = pageText;
    struct Case {
        const char *page, *offset, *length, *id;
    };
    const Case refused[] = {
        {"17", "4", "5", "12345"}, {"1", "-1", "2", "12"}, {"1", "0", "200", "1"},
        {"1", "0", "4", "12345"},  {"99", "8", "1", "1"},
    };
    for (const Case &c : refused) {
        set.memoryPage = c.page;
        set.carrierIdOffset = c.offset;
        set.carrierIdLength = c.length;
        EXPECT_FALSE(placeId(c.id)) << c.page << "/" << c.offset << "/" << c.length;
        EXPECT_EQ(pageText, before);
    }
}

TEST_F(Placement, CounterPageTakesEightDigitsOrNothing)
{
    set.counterPage = "5";
    set.counterValue = "123";
    EXPECT_EQ(placeCounter(), CounterPlacement::Placed);
    EXPECT_EQ(pageText[4], "30 30 30 30 30 31 32 33");

    for (const char *value : {"123456789", " 12", "12a", ""}) {
        set.counterValue = value;
        EXPECT_EQ(placeCounter(), CounterPlacement::Refused) << value;
    }
    EXPECT_EQ(pageText[4], "30 30 30 30 30 31 32 33");

    const auto before = pageText;
    set.counterValue = "1";
    for (const char *page : {"2", "18", "None", "", "05"}) {
        set.counterPage = page;
        EXPECT_EQ(placeCounter(), CounterPlacement::NotEnabled) << page;
    }
    EXPECT_EQ(pageText, before);
}

// A run from 99999998 goes on at 00000000: what comes before its next value
// is behind, across the wrap too.
TEST(CounterPageRun, AValueTheRunHasWrittenIsBehindItsNext)
{
    EXPECT_TRUE(counterPageValueBehind("00000005", "00000005", "00000011"));
    EXPECT_TRUE(counterPageValueBehind("00000010", "00000005", "00000011"));
    EXPECT_FALSE(counterPageValueBehind("00000011", "00000005", "00000011"));
    EXPECT_FALSE(counterPageValueBehind("00000004", "00000005", "00000011")); // after a whole round
    EXPECT_TRUE(counterPageValueBehind("99999999", "99999998", "00000002"));
    EXPECT_FALSE(counterPageValueBehind("00000003", "99999998", "00000002"));
    EXPECT_FALSE(counterPageValueBehind("123456789", "00000005", "00000011")); // refused when placed

    EXPECT_EQ(counterPageValueInRun("00000005", "00000005", std::nullopt), "00000005");
    EXPECT_EQ(counterPageValueInRun("00000005", "00000005", "00000010"), "00000011");
    EXPECT_EQ(counterPageValueInRun("00000020", "00000005", "00000010"), "00000020");
}

TEST(CounterPageRun, OnlyAQuantityGivenAsZeroIsAnEmptyWorkOrder)
{
    for (const char *empty : {"0", "000", " 0", "-3"})
        EXPECT_TRUE(isEmptyWorkOrder(empty)) << empty;
    for (const char *open : {"", "1", "25", "x"})
        EXPECT_FALSE(isEmptyWorkOrder(open)) << open;
}

} // namespace
} // namespace teb
