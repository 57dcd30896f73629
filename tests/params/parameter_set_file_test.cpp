#include "params/parameter_set_file.h"

#include <gtest/gtest.h>

#include "params/profile_file.h"
#include "support/temp_dir.h"

namespace teb {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

ParameterSet sampleSet()
{
    ParameterSet set;
    set.name = "Lot 7";
    set.operatorBadgeId = "B-17";
    set.partNumber = "PN 4711";
    set.workOrderNumber = "WO-2";
    set.quantity = "25";
    set.useDecimalCounter = true;
    set.csvFileName = "/data/ids.csv";
    set.carrierIdOffset = "2";
    set.carrierIdLength = "4";
    set.carrierId = "0017";
    set.lockCarrierId = true;
    set.memoryPage = "1";
    set.transponderOrvex = true;
    set.pages[0].hex = {"00", "00", "30", "30", "31", "37", "00", "00"};
    set.pages[0].fixed = {true, true, false, false, false, false, true, true};
    set.pages[0].locked = true;
    set.pages[1].hex = {"", "", "", "", "", "", "", "FF"};
    set.pages[1].editable = true;
    set.pages[12].hex[4] = "AB";  // byte 100
    set.pages[16].locked = true;
    set.writePages3To17 = true;
    set.counterPage = "5";
    set.alignment = "Right";
    set.counterValue = "00000042";
    set.logEnabled = true;
    set.recordFileName = "/data/record.xml";
    return set;
}

std::string expectedSampleFile()
{
    std::string file =
        "[Work order Setup]\r\nOperator badge ID#=B-17\r\nPart number=PN 4711\r\nWork order number=WO-2\r\n"
        "Quantity=25\r\n"
        "[Data Source]\r\nDecimal counter=1\r\ncsv file=0\r\ncsv file complete=0\r\nfile name=/data/ids.csv\r\n"
        "fix data=0\r\n"
        "[SEMI E99 Carrier ID Setup]\r\nCarrier ID Offset=2\r\nCarrier ID Length=4\r\nCarrier ID=0017\r\n"
        "Lock Carrier ID=1\r\nMemory Page=1\r\n"
        "[Transponder type]\r\nTI=0\r\nOrvex=1\r\n"
        "[Page 1]\r\nHEX 00=00\r\nHEX 01=00\r\nHEX 02=30\r\nHEX 03=30\r\nHEX 04=31\r\nHEX 05=37\r\nHEX 06=00\r\n"
        "HEX 07=00\r\nfix byte 00=1\r\nfix byte 01=1\r\nfix byte 02=0\r\nfix byte 03=0\r\nfix byte 04=0\r\n"
        "fix byte 05=0\r\nfix byte 06=1\r\nfix byte 07=1\r\nEdit Page 1=0\r\nLock Page 1=1\r\n"
        "[Page 2]\r\nHEX 08=\r\nHEX 09=\r\nHEX 10=\r\nHEX 11=\r\nHEX 12=\r\nHEX 13=\r\nHEX 14=\r\nHEX 15=FF\r\n"
        "fix byte 08=0\r\nfix byte 09=0\r\nfix byte 10=0\r\nfix byte 11=0\r\nfix byte 12=0\r\nfix byte 13=0\r\n"
        "fix byte 14=0\r\nfix byte 15=0\r\nEdit Page 2=1\r\nLock Page 2=0\r\n"
        "[Pages 3-17]\r\nWrite Pages 3-17=1\r\nCounter Page=5\r\nAlignment=Right\r\nCounter Value=00000042\r\n";
    for (int page = 3; page <= 17; ++page) {
        file += "[Page " + std::to_string(page) + "]\r\n";
        for (int byte = 8 * (page - 1); byte < 8 * page; ++byte)
            file += "HEX " + std::to_string(byte) + "=" + (byte == 100 ? "AB" : "") + "\r\n";
        file += "Edit Page " + std::to_string(page) + "=0\r\n";
        file += "Lock Page " + std::to_string(page) + "=" + (page == 17 ? "1" : "0") + "\r\n";
    }
    file += "[Log]\r\nLog=1\r\nfile name=/data/record.xml\r\n";
    return file;
}

TEST(SetFileLayout, EveryKeyInItsOrderAndBack)
{
    ProfileDocument file;
    writeParameterSet(file, sampleSet());
    EXPECT_EQ(file.serialise(), expectedSampleFile());
    ParameterSet read = readParameterSet(file);
    read.name = "Lot 7";
    EXPECT_EQ(read, sampleSet());
}

TEST(SetFileLoad, WindowsFileWithOtherCaseAndLfEndings)
{
    TempDir dir;
    writeFileBytes(dir / "Lot 7.ini", "[work order setup]\nquantity=12\n[page 13]\nhex 100=cd\nlock page 13=1\n"
                                      "[Page 1]\nFIX BYTE 03=1\n[transponder type]\nti=yes\norvex=true\n");
    const ParameterSet set = loadParameterSet(dir.path(), "Lot 7");
    EXPECT_EQ(set.name, "Lot 7");
    EXPECT_EQ(set.quantity, "12");
    EXPECT_EQ(set.pages[12].hex[4], "cd");
    EXPECT_TRUE(set.pages[12].locked);
    EXPECT_TRUE(set.pages[0].fixed[3]);
    EXPECT_FALSE(set.transponderTi || set.transponderOrvex);
}

TEST(SetFileLoad, EveryByteGetsItsDisplayText)
{
    TempDir dir;
    writeFileBytes(dir / "d.ini", "[Page 1]\r\nHEX 00=41\r\nHEX 01=00\r\nHEX 02=4a\r\n[Page 17]\r\nHEX 135=7E\r\n");
    const ParameterSet set = loadParameterSet(dir.path(), "d");
    EXPECT_EQ(set.pages[0].ascii, (std::array<std::string, 8>{"A", "NUL", "J", "NUL", "NUL", "NUL", "NUL", "NUL"}));
    EXPECT_EQ(set.pages[16].ascii[7], "~");
    EXPECT_EQ(loadParameterSet(dir.path(), "../d").pages[0].ascii[0], "NUL");
}

TEST(SetFileLoad, MissingFileAndNamesLeadingOutOfTheDirectoryGiveAnEmptySet)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "work");
    writeFileBytes(dir / "outside.ini", "[Work order Setup]\r\nQuantity=99\r\n");
    ParameterSet expected;
    expected.name = "nothing";
    EXPECT_EQ(loadParameterSet(dir / "work", "nothing"), expected);
    expected.name = "../outside";
    EXPECT_EQ(loadParameterSet(dir / "work", "../outside"), expected);
    EXPECT_EQ(loadParameterSet(dir / "work", "").quantity, "");
}

struct JunkCase {
    const char *label;
    std::string bytes;
    std::string quantity;
    std::string badge;
};

class SetFileJunk : public ::testing::TestWithParam<JunkCase> {};

TEST_P(SetFileJunk, LoadsWhatItCanWithBoundedValues)
{
    TempDir dir;
    writeFileBytes(dir / "junk.ini", GetParam().bytes);
    const ParameterSet set = loadParameterSet(dir.path(), "junk");
    EXPECT_EQ(set.quantity, GetParam().quantity);
    EXPECT_EQ(set.operatorBadgeId, GetParam().badge);
}

const std::string workOrder = "[Work order Setup]\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, SetFileJunk,
    ::testing::Values(JunkCase{"binary", std::string("\x00\xff[\x01=\x02\n\x80\x7f]]==\r\r\n\x00", 17), "", ""},
                      JunkCase{"truncatedValue", workOrder + "Quantity=3\r\nOperator badge ID#=B-1", "3", "B-1"},
                      JunkCase{"truncatedHeader", workOrder + "Quantity=3\r\n[Page", "3", ""},
                      JunkCase{"hugeValue", workOrder + "Operator badge ID#=" + std::string(10000, 'B') +
                                                "\r\nQuantity=4", "4", std::string(259, 'B')},
                      JunkCase{"nulInValue", workOrder + std::string("Quantity=5\0" "6\r\n", 13), "5", ""}),
    [](const auto &info) { return std::string(info.param.label); });

} // namespace
} // namespace teb
