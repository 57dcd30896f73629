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

std::string expectedSampleFile()
{
    std::string file =
        "[Work order Setup]\r\nOperator badge ID#=B-17\r\nPart number=PN 4711\r\nWork order number=WO-2\r\n"
        "Quantity=25\r\n[Data Source]\r\nDecimal counter=1\r\ncsv file=0\r\ncsv file complete=0\r\n"
        "file name=/data/ids.csv\r\nfix data=0\r\n[SEMI E99 Carrier ID Setup]\r\nCarrier ID Offset=2\r\n"
        "Carrier ID Length=4\r\nCarrier ID=0017\r\nLock Carrier ID=1\r\nMemory Page=1\r\n[Transponder type]\r\n"
        "TI=0\r\nOrvex=1\r\n[Page 1]\r\nHEX 00=00\r\nHEX 01=00\r\nHEX 02=30\r\nHEX 03=30\r\nHEX 04=31\r\n"
        "HEX 05=37\r\nHEX 06=00\r\nHEX 07=00\r\nfix byte 00=1\r\nfix byte 01=1\r\nfix byte 02=0\r\nfix byte 03=0\r\n"
        "fix byte 04=0\r\nfix byte 05=0\r\nfix byte 06=1\r\nfix byte 07=1\r\nEdit Page 1=0\r\nLock Page 1=1\r\n"
        "[Page 2]\r\nHEX 08=\r\nHEX 09=\r\nHEX 10=\r\nHEX 11=\r\nHEX 12=\r\nHEX 13=\r\nHEX 14=\r\nHEX 15=FF\r\n"
        "fix byte 08=0\r\nfix byte 09=0\r\nfix byte 10=0\r\nfix byte 11=0\r\nfix byte 12=0\r\nfix byte 13=0\r\n"
        "fix byte 14=0\r\nfix byte 15=0\r\nEdit Page 2=1\r\nLock Page 2=0\r\n[Pages 3-17]\r\nWrite Pages 3-17=1\r\n"
        "Counter Page=5\r\nAlignment=Right\r\nCounter Value=00000042\r\n";
    for (int page = 3, byte = 16; page <= 17; ++page) {
        const std::string number = std::to_string(page);
        file += "[Page " + number + "]\r\n";
        for (const int end = byte + 8; byte < end; ++byte)
            file += "HEX " + std::to_string(byte) + "=" + (byte == 100 ? "AB" : "") + "\r\n";
        file += "Edit Page " + number + "=0\r\nLock Page " + number + "=" + (page == 17 ? "1" : "0") + "\r\n";
    }
    return file + "[Log]\r\nLog=1\r\nfile name=/data/record.xml\r\n";
}

TEST(SetFile, EveryKeyInItsOrderAndBack)
{
    ProfileDocument file;
    writeParameterSet(file, sampleSet());
    EXPECT_EQ(file.serialise(), expectedSampleFile());
    EXPECT_EQ(readParameterSet(file), sampleSet());
}

TEST(SetFile, LoadsAWindowsFileWithOtherCaseAndLfEndingsAndDerivesEveryDisplayText)
{
    TempDir dir;
    writeFileBytes(dir / "Lot 7.ini", "[work order setup]\nquantity=12\n[page 17]\nhex 135=7e\nlock page 17=1\n"
                                      "[Page 1]\nFIX BYTE 03=1\nHEX 00=41\nHEX 01=00\nHEX 02=4a\n"
                                      "[transponder type]\nti=yes\norvex=true\n");
    const ParameterSet set = loadParameterSet(dir.path(), "Lot 7");
    EXPECT_EQ(set.name + " " + set.quantity + " " + set.pages[16].hex[7] + set.pages[16].ascii[7], "Lot 7 12 7e~");
    EXPECT_TRUE(set.pages[16].locked && set.pages[0].fixed[3] && !set.transponderTi && !set.transponderOrvex);
    EXPECT_EQ(set.pages[0].ascii, (std::array<std::string, 8>{"A", "NUL", "J", "NUL", "NUL", "NUL", "NUL", "NUL"}));
    ParameterSet read = readParameterSet(ProfileDocument::parse(readFileBytes(dir / "Lot 7.ini")));
    read.name = "Lot 7";
    EXPECT_EQ(read, set);  // both readers derive the display texts

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
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(other.count(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_TRUE(isValidSetName("Lot 1..3") && isValidSetName("...") && isValidSetName(".hidden"));
    const std::vector<std::string_view> noAccess{"No access to ini file or path.",
                                                 "Error while saving configuration set"};
    EXPECT_EQ(saveOutcomeMessages(SaveOutcome::NoAccess), noAccess);
    std::filesystem::create_directory(dir / "D.ini");  // a set file that does not open is not offered for overwriting
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("D"), other, answering(true, asked)), SaveOutcome::NoAccess);
    EXPECT_EQ(asked, 0);

    // A listed name still saves into a full list; the temporary file's name does not grow with the set's.
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("S5"), list, nullptr), SaveOutcome::Saved);
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet(std::string(251, 'n')), other, nullptr),
              SaveOutcome::Saved);
}

} // namespace
} // namespace teb
