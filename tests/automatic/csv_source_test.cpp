#include "csv_fixture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace teb {
namespace {

using test::completeHeader;
using test::completeRow;
using test::CsvSourceFixture;
using test::kCsvWrongFormat;

class SimpleCsv : public CsvSourceFixture, public ::testing::Test {
protected:
    int next() { return take(nextDataSet(file(), set, image(), notices)); }
    MarkResult mark() { return markRowInPages(file(), CsvFormat::Simple, state); }
};

// The open row is taken, its ID placed, and marking inserts only the "X"
// after the whole delimiter, whatever the line ends and bytes around it.
TEST_F(SimpleCsv, TakesTheOpenRowAndMarksItByInsertingOnlyTheX)
{
    const struct {
        const char *delimiter;
        std::string before, after;
    } cases[] = {
        {",", "Carrier ID,done\nA1,X\rA2,\r\nA3,\n", "Carrier ID,done\nA1,X\rA2,X\r\nA3,\n"},
        {",", "Carrier ID,done\r\nA1,X\r\nA2,", "Carrier ID,done\r\nA1,X\r\nA2,X"},
        {",", "Carrier ID,done\rA2,\xE4\xFF\r", "Carrier ID,done\rA2,X\xE4\xFF\r"},
        {",", "Carrier ID,done\r\nA2,x\r\n", "Carrier ID,done\r\nA2,Xx\r\n"}, // only "X" marks a row done
        {"<>", "Carrier ID<>done\r\nA2<>\r\n", "Carrier ID<>done\r\nA2<>X\r\n"},
        // regression: "A2," also in the header and a done field; the row read is marked
        {",", "Carrier ID,done,A2,\r\nA1,XA2,\r\nA2,\r\n", "Carrier ID,done,A2,\r\nA1,XA2,\r\nA2,X\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.before);
        delimiter = c.delimiter;
        writeCsv(c.before);
        ASSERT_EQ(next(), 0);
        EXPECT_EQ(set.carrierId, "A2");
        EXPECT_EQ(pageText[0], "41 32 00 00 00 00 00 00");
        ASSERT_EQ(mark(), MarkResult::Marked);
        EXPECT_EQ(csv(), c.after);
    }
    EXPECT_TRUE(notices.texts.empty());
}

TEST_F(SimpleCsv, BadFilesGiveTheMessagesAndLeaveThePagesAlone)
{
    const auto pagesBefore = pageText;
    const char *const files[] = {
        "Carrier ID,\r\nA1,\r\n",          // header without "done"
        "Carrier ID;done\r\nA1,\r\n",      // header without the delimiter
        "Carrier ID,done\r\nA1,X\r\nA2,X\r\n",
        "Carrier ID,done\r\nA12,\r\n",     // wrong length
        "Carrier ID,done\r\nA1\r\nA2,\r\n", // a row without delimiter is open and bad
        "Carrier ID,done\r\n\r\nA2,\r\n",  // an empty line ends the rows
    };
    for (const char *content : files) {
        notices.texts.clear();
        writeCsv(content);
        EXPECT_EQ(next(), 1) << content;
        EXPECT_EQ(notices.texts, std::vector<std::string>{kCsvWrongFormat}) << content;
    }
    std::filesystem::remove(csvPath());
    notices.texts.clear();
    EXPECT_EQ(next(), 1);
    EXPECT_EQ(notices.texts, (std::vector<std::string>{"No access to csv file.", kCsvWrongFormat}));
    EXPECT_EQ(pageText, pagesBefore);
    EXPECT_TRUE(set.carrierId.empty());
}

TEST_F(SimpleCsv, AFailedMarkLeavesTheFileAndTheRowToMarkAgain)
{
    writeCsv("Carrier ID,done\r\nA1,\r\n");
    ASSERT_EQ(next(), 0);
    ::chmod(csvPath().c_str(), 0444);
    EXPECT_EQ(mark(), MarkResult::NotWritable);
    EXPECT_EQ(csv(), "Carrier ID,done\r\nA1,\r\n");
    ::chmod(csvPath().c_str(), 0640);
    EXPECT_EQ(mark(), MarkResult::Marked);
    EXPECT_EQ(csv(), "Carrier ID,done\r\nA1,X\r\n");

    // The row changed under the station: nothing is marked.
    writeCsv("Carrier ID,done\r\nA2,\r\n");
    EXPECT_EQ(markRowProcessed(csvPath(), CsvFormat::Simple, CsvRow{1, "A1,"}, ","), MarkResult::RowChanged);
    EXPECT_EQ(csv(), "Carrier ID,done\r\nA2,\r\n");
}

class CompleteCsv : public CsvSourceFixture, public ::testing::Test {
protected:
    int next() { return take(nextComplete(file(), image(), notices)); }
};

TEST_F(CompleteCsv, AsciiAndHexSetsFillPagesAndLocks)
{
    pageText[1] = "FF FF FF FF FF FF FF FF";
    pageText[3] = "FF FF FF FF FF FF FF FF";
    writeCsv(completeHeader(",") + "\r\n" + completeRow("A,2,3,ABC,1", "xy", "X") + "\r\n"
             + completeRow("X,1,3,414243,0", "31 32") + "\r\n" + completeRow("A,0,2,Q1,1", "z") + "\r\n");
    ASSERT_EQ(next(), 0) << (notices.texts.empty() ? "" : notices.texts[0]);
    EXPECT_EQ(set.carrierId, "414243");
    EXPECT_EQ(pageText[0], "00 41 42 43 00 00 00 00");
    EXPECT_EQ(pageText[1], "00 00 00 00 00 00 00 00"); // all 16 cells cleared
    EXPECT_EQ(pageText[2], "31 32 00 00 00 00 00 00");
    EXPECT_FALSE(set.pages[0].locked);
    EXPECT_TRUE(set.pages[2].locked);

    ASSERT_EQ(markRowInPages(file(), CsvFormat::Complete, state), MarkResult::Marked);
    ASSERT_EQ(next(), 0);
    EXPECT_EQ(set.carrierId, "Q1");
    EXPECT_EQ(pageText[0], "51 31 00 00 00 00 00 00");
    EXPECT_EQ(pageText[2], "7A 00 00 00 00 00 00 00");
    EXPECT_TRUE(set.pages[0].locked && set.pages[1].locked);
    ASSERT_EQ(markRowInPages(file(), CsvFormat::Complete, state), MarkResult::Marked);
    const std::string marked = csv();
    EXPECT_NE(marked.find(completeRow("X,1,3,414243,0", "31 32", "X") + "\r\n"), std::string::npos);
    EXPECT_NE(marked.find(completeRow("A,0,2,Q1,1", "z", "X") + "\r\n"), std::string::npos);
    EXPECT_EQ(next(), 1);
}

TEST_F(CompleteCsv, BadDataIsRefusedWithoutTouchingThePages)
{
    const auto before = pageText;
    const std::string rows[] = {
        completeRow("X,0,2,41G2,0", ""),        // not hexadecimal
        completeRow("X,0,2,4142,0", "3132333435363738 39"), // page value longer than its page
        completeRow("A,0,2,ABC,0", ""),         // length does not match
        completeRow("A,15,2,AB,0", ""),         // beyond pages 1 and 2
        completeRow("B,0,2,AB,0", ""),          // neither A nor X
        "A,0,2,AB,0,,0",                        // too few fields
        completeRow("A,0,2,AB,0", "") + ",",    // one field too many
        completeRow("A,0,0,,0", ""),
    };
    for (const std::string &row : rows) {
        notices.texts.clear();
        writeCsv(completeHeader(",") + "\r\n" + row + "\r\n");
        EXPECT_EQ(next(), 1) << row;
        EXPECT_EQ(notices.texts, std::vector<std::string>{kCsvWrongFormat}) << row;
        EXPECT_EQ(pageText, before) << row;
    }
    writeCsv(completeHeader(";") + "\r\n" + completeRow("A,0,2,AB,0", "") + "\r\n");
    EXPECT_EQ(next(), 1); // header with another delimiter
}

} // namespace
} // namespace teb
