#include "params/parameter_set_file.h"
#include "params/parameter_set_save.h"

#include <gtest/gtest.h>

#include "params/profile_file.h"
#include "support/temp_dir.h"

namespace teb {
namespace {

using namespace std::string_literals;
using namespace test;
using Names = std::vector<std::string>;

ParameterSet namedSet(const std::string &name, const std::string &quantity = "")
{
    ParameterSet set;
    set.name = name;
    set.quantity = quantity;
    return set;
}

ParameterSet sampleSet()
{
    ParameterSet set{.name = "", .operatorBadgeId = "B-17", .partNumber = "PN 4711", .workOrderNumber = "WO-2",
                     .quantity = "25", .useDecimalCounter = true, .useCsvFile = false, .csvFileComplete = false,
                     .csvFileName = "/data/ids.csv", .useFixData = false, .carrierIdOffset = "2",
                     .carrierIdLength = "4", .carrierId = "0017", .lockCarrierId = true, .memoryPage = "1",
                     .transponderTi = false, .transponderOrvex = true, .pages = {}, .writePages3To17 = true,
                     .counterPage = "5", .alignment = "Right", .counterValue = "00000042", .logEnabled = true,
                     .recordFileName = "/data/record.xml"};
    set.pages[0].hex = {"00", "00", "30", "30", "31", "37", "00", "00"};
    set.pages[0].fixed = {true, true, false, false, false, false, true, true};
    set.pages[0].locked = set.pages[1].editable = set.pages[16].locked = true;
    set.pages[1].hex[7] = "FF";
    set.pages[12].hex[4] = "AB";  // byte 100
    deriveDisplayTexts(set);
    return set;
}

TEST(SetFile, EveryKeyInItsOrderAndBack)
{
    ProfileDocument file;
    writeParameterSet(file, sampleSet());
    EXPECT_EQ(file.serialise(), readFileBytes(std::filesystem::path(TEB_GOLDEN_DIR) / "sample_set.ini"));
    EXPECT_EQ(readParameterSet(file), sampleSet());
}

TEST(SetFile, LoadsAWindowsFileWithOtherCaseAndLfEndingsAndDerivesEveryDisplayText)
{
    TempDir dir;
    writeFileBytes(dir / "Lot 7.ini", "[work order setup]\nquantity=12\n[page 17]\nhex 135=7e\nlock page 17=1\n"
                                      "[Page 1]\nFIX BYTE 03=1\nHEX 00=41\nHEX 01=00\nHEX 02=4a\n");
    const ParameterSet set = loadParameterSet(dir.path(), "Lot 7");
    EXPECT_EQ(set.name + " " + set.quantity + " " + set.pages[16].hex[7] + set.pages[16].ascii[7], "Lot 7 12 7e~");
    EXPECT_TRUE(set.pages[16].locked && set.pages[0].fixed[3]);
    EXPECT_EQ(set.pages[0].ascii, (std::array<std::string, 8>{"A", "NUL", "J", "NUL", "NUL", "NUL", "NUL", "NUL"}));

    // A name leading out of the directory reads nothing.
    writeFileBytes(dir / "outside.ini", "[Work order Setup]\r\nQuantity=99\r\n");
    std::filesystem::create_directory(dir / "work");
    EXPECT_EQ(loadParameterSet(dir / "work", "../outside"), namedSet("../outside"));
}

// An overwrite question that answers `yes` and counts how often it is asked.
OverwriteQuestion answering(bool yes, int &asked)
{
    return [yes, &asked] { return ++asked, yes; };
}

TEST(SaveSet, AsksBeforeOverwritingKeepsUnknownKeysAndListsEachNameOnce)
{
    TempDir dir;
    writeFileBytes(dir / "B.ini", "[Work order Setup]\r\nQuantity=3\r\nRemark=kept\r\n");
    SetList list({"A", "B"});
    int asked = 0;
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("C", "7"), list, answering(false, asked)), SaveOutcome::Saved);
    EXPECT_EQ(asked, 0);  // a new file needs no question
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("B", "9"), list, answering(false, asked)), SaveOutcome::Declined);
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("B", "9"), list, nullptr), SaveOutcome::Declined);
    EXPECT_EQ(loadParameterSet(dir.path(), "B").quantity, "3");
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("B", "9"), list, answering(true, asked)), SaveOutcome::Saved);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(list.names(), (Names{"A", "B", "C"}));
    EXPECT_EQ(loadParameterSet(dir.path(), "C").quantity, "7");
    EXPECT_EQ(readFileBytes(dir / "B.ini").rfind("[Work order Setup]\r\nQuantity=9\r\nRemark=kept\r\nOperator", 0), 0u);
}

TEST(SaveSet, RefusedNamesAndFailedWritesLeaveTheListAndTheDirectoryAlone)
{
    TempDir dir;
    SetList list;
    for (int i = 0; i < 256; ++i)
        ASSERT_TRUE(list.add("S" + std::to_string(i)));
    EXPECT_FALSE(list.add("S256"));
    SetList other;
    int asked = 0;
    for (const std::string &name :
         {""s, "../outside"s, "."s, ".."s, "sub/set"s, "win\\set"s, "line\r\nbreak"s, "nul\0byte"s, "del\x7f"s}) {
        const SaveOutcome outcome = saveParameterSet(dir / "work", namedSet(name), other, answering(true, asked));
        EXPECT_EQ(outcome, SaveOutcome::InvalidName) << testing::PrintToString(name);
    }
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("S256"), list, nullptr), SaveOutcome::ListFull);
    EXPECT_EQ(saveParameterSet(dir / "missing", namedSet("B"), other, nullptr), SaveOutcome::NoAccess);
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet(std::string(300, 'n')), other, nullptr), SaveOutcome::NoAccess);
    EXPECT_EQ(other.count(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_TRUE(isValidSetName("Lot 1..3") && isValidSetName("...") && isValidSetName(".hidden"));
    std::filesystem::create_directory(dir / "D.ini");  // a set file that does not open is not offered for overwriting
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("D"), other, answering(true, asked)), SaveOutcome::NoAccess);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("S5"), list, nullptr), SaveOutcome::Saved); // listed already
}

} // namespace
} // namespace teb
