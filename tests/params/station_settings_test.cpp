#include "params/station_settings.h"

#include <gtest/gtest.h>

#include "params/settings_interface_texts.h"
#include "support/temp_dir.h"

namespace teb {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

StationSettings sampleSettings()
{
    StationSettings s;
    s.interfaceSettings = {"COM3", 115200, 8, parity::Even, stopbits::Two, flowcontrol::Hardware};
    s.automaticMode = true;
    s.currentSetName = "Job B";
    s.setList = SetList({"Job A", "Job B"});
    s.carrierIdMax = "18446744073709551615";
    s.pageSelected[0] = s.pageSelected[16] = true;
    s.asciiFormat = true;
    s.pageText[0] = " A B C D E F G H";
    s.pageText[16] = "NUL NUL 1 2 3 4 5 6";
    s.manualCarrierIdOffset = "2";
    s.manualCarrierIdLength = "4";
    s.manualCarrierId = "0017";
    s.manualLog = s.manualTypeTi = true;
    s.manualTypeOrvex = false;
    s.manualLogFileName = "/tmp/manual_log.xml";
    return s;
}

std::string expectedSampleFile()
{
    std::string file = "[Interface]\r\nport=COM3\r\nbaudrate=115200\r\ndatabits=8\r\nstopbits=2\r\nparity=Even\r\n"
                       "Flowcontrol=Hardware\r\n[Auto]\r\nSelectConfig=1\r\nPruefablauf_ist=Job B\r\n"
                       "Pruefablaeufe=2\r\nPruefablauf_0=Job A\r\nPruefablauf_1=Job B\r\n"
                       "Carrier ID Max=18446744073709551615\r\n[Data]\r\nSelectAll=0\r\nSelectP1=1\r\n";
    for (int page = 2; page <= 16; ++page)
        file += "SelectP" + std::to_string(page) + "=0\r\n";
    file += "SelectP17=1\r\nFormat=1\r\nP1= A B C D E F G H\r\n";
    for (int page = 2; page <= 16; ++page)
        file += "P" + std::to_string(page) + "=\r\n";
    return file + "P17=NUL NUL 1 2 3 4 5 6\r\n[Manual]\r\nCarrier ID Offset=2\r\nCarrier ID Length=4\r\n"
                  "Carrier ID=0017\r\nLog=1\r\nType=1\r\nfile name=/tmp/manual_log.xml\r\n";
}

std::string writtenFile(const TempDir &dir) { return readFileBytes(dir / "TagEncoderBench.ini"); }

TEST(SettingsFile, EveryKeyInOrderAndASecondSaveRewritesInPlace)
{
    TempDir dir;
    ASSERT_TRUE(saveSettings(dir.path(), sampleSettings()));
    EXPECT_EQ(writtenFile(dir), expectedSampleFile());
    EXPECT_EQ(loadSettings(dir.path()), sampleSettings());

    StationSettings changed = sampleSettings();
    changed.interfaceSettings.portName = "COM7";
    ASSERT_TRUE(saveSettings(dir.path(), changed));
    std::string expected = expectedSampleFile();
    expected.replace(expected.find("COM3"), 4, "COM7");
    EXPECT_EQ(writtenFile(dir), expected);
}

TEST(SettingsFile, MissingOrUnreadableFileGivesTheStartStateAndIsNotReplaced)
{
    TempDir dir;
    EXPECT_EQ(loadSettings(dir.path()), StationSettings{});
    EXPECT_EQ(StationSettings{}.csvDelimiter, ",");
    EXPECT_TRUE(StationSettings{}.manualTypeOrvex);
    std::filesystem::create_directory(dir / "TagEncoderBench.ini");
    EXPECT_EQ(loadSettings(dir.path()), StationSettings{});
    EXPECT_FALSE(saveSettings(dir.path(), sampleSettings()));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "TagEncoderBench.ini"));
}

TEST(SettingsFile, HandKeptKeysAreReadButNeverWritten)
{
    TempDir dir;
    writeFileBytes(dir / "TagEncoderBench.ini", "[Auto]\r\ncsv delimiter=;\r\n[Data]\r\nP3Default=00 01\r\n");
    StationSettings loaded = loadSettings(dir.path());
    EXPECT_EQ(loaded.csvDelimiter, ";");
    EXPECT_EQ(loaded.pageDefault[2], "00 01");
    loaded.csvDelimiter = "|";
    loaded.pageDefault[2] = "changed";
    ASSERT_TRUE(saveSettings(dir.path(), loaded));
    const std::string written = writtenFile(dir);
    EXPECT_NE(written.find("csv delimiter=;\r\n"), std::string::npos);
    EXPECT_NE(written.find("P3Default=00 01\r\n"), std::string::npos);
    EXPECT_EQ(written.find("changed"), std::string::npos);
    EXPECT_EQ(written.find("P1Default"), std::string::npos);
}

TEST(SettingsFile, WindowsFileWithLowerCaseKeysInBothLineEndings)
{
    for (const std::string end : {"\r\n", "\n"}) {
        TempDir dir;
        writeFileBytes(dir / "TagEncoderBench.ini", "[interface]" + end + "PORT=COM2" + end + "BaudRate=  9600" +
                                                        end + "[auto]" + end + "csv DELIMITER=" + end + "[data]" +
                                                        end + "selectp5=1" + end + "[manual]" + end + "type=1");
        const StationSettings loaded = loadSettings(dir.path());
        EXPECT_EQ(loaded.interfaceSettings.portName, "COM2");
        EXPECT_EQ(loaded.interfaceSettings.baudRate, 9600);
        EXPECT_EQ(loaded.csvDelimiter, ",");
        EXPECT_TRUE(loaded.pageSelected[4]);
        EXPECT_TRUE(loaded.manualTypeTi);
        EXPECT_FALSE(loaded.manualTypeOrvex);
    }
}

TEST(SettingsFile, FlagsAreTrueOnlyForOneButTheModeIsADecimal)
{
    TempDir dir;
    writeFileBytes(dir / "TagEncoderBench.ini", "[Data]\r\nSelectAll=true\r\nSelectP1=yes\r\nSelectP2= 1\r\n"
                                                "SelectP3=1\r\nFormat=01\r\n[Auto]\r\nSelectConfig= 1abc\r\n");
    const StationSettings loaded = loadSettings(dir.path());
    EXPECT_FALSE(loaded.selectAll || loaded.pageSelected[0] || loaded.pageSelected[1] || loaded.asciiFormat);
    EXPECT_TRUE(loaded.pageSelected[2]);
    EXPECT_TRUE(loaded.automaticMode);
}

TEST(SetListInSettings, StaleNamesBehindTheListAreBlankedUpToTheFirstBlank)
{
    TempDir dir;
    writeFileBytes(dir / "TagEncoderBench.ini", "[Auto]\r\nPruefablaeufe=3\r\nPruefablauf_0=A\r\nPruefablauf_1=B\r\n"
                                                "Pruefablauf_2=C\r\nPruefablauf_3=D\r\nPruefablauf_4=\r\n"
                                                "Pruefablauf_5=F\r\n");
    StationSettings loaded = loadSettings(dir.path());
    ASSERT_TRUE(removeSetName(loaded.setList, "A"));
    ASSERT_TRUE(saveSettings(dir.path(), loaded));
    EXPECT_NE(writtenFile(dir).find("Pruefablaeufe=2\r\nPruefablauf_0=B\r\nPruefablauf_1=C\r\nPruefablauf_2=\r\n"
                                    "Pruefablauf_3=\r\nPruefablauf_4=\r\nPruefablauf_5=F\r\n"),
              std::string::npos)
        << writtenFile(dir);
    EXPECT_EQ(loadSettings(dir.path()).setList.names(), (std::vector<std::string>{"B", "C"}));
}

struct CountCase {
    const char *count;
    int namesInFile;
    int expectedCount;
};

class SetListCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(SetListCount, IsLimitedToTheListCapacityAndWrittenBack)
{
    TempDir dir;
    std::string file = "[Auto]\r\nPruefablaeufe=" + std::string(GetParam().count) + "\r\n";
    for (int i = 0; i < GetParam().namesInFile; ++i)
        file += "Pruefablauf_" + std::to_string(i) + "=Set " + std::to_string(i) + "\r\n";
    writeFileBytes(dir / "TagEncoderBench.ini", file);
    const StationSettings loaded = loadSettings(dir.path());
    ASSERT_EQ(loaded.setList.count(), GetParam().expectedCount);
    ASSERT_TRUE(saveSettings(dir.path(), loaded));
    EXPECT_EQ(loadSettings(dir.path()).setList, loaded.setList);
    const std::string written = writtenFile(dir);
    EXPECT_NE(written.find("Pruefablaeufe=" + std::to_string(GetParam().expectedCount) + "\r\n"), std::string::npos);
    // names behind the 256th are not the station's and are left alone
    EXPECT_EQ(written.find("Pruefablauf_256=Set 256\r\n") != std::string::npos, GetParam().namesInFile > 256);
}

INSTANTIATE_TEST_SUITE_P(Counts, SetListCount,
                         ::testing::Values(CountCase{"-5", 3, 0}, CountCase{"100000", 300, 256},
                                           CountCase{"256", 256, 256}, CountCase{"junk", 2, 0}));

TEST(SetListInSettings, EmptyEntriesInsideTheListAreDropped)
{
    TempDir dir;
    writeFileBytes(dir / "TagEncoderBench.ini", "[Auto]\r\nPruefablaeufe=3\r\nPruefablauf_0=A\r\nPruefablauf_2=C\r\n");
    EXPECT_EQ(loadSettings(dir.path()).setList.names(), (std::vector<std::string>{"A", "C"}));
}

struct InterfaceTextCase {
    const char *stopbits, *parity, *flow;
    std::int32_t stopCode, parityCode, flowCode;
};

class InterfaceTextReading : public ::testing::TestWithParam<InterfaceTextCase> {};

TEST_P(InterfaceTextReading, CodesFollowTheWordsInTheText)
{
    const InterfaceTextCase &c = GetParam();
    EXPECT_EQ(readStopBitsSetting(c.stopbits), c.stopCode);
    EXPECT_EQ(readParitySetting(c.parity), c.parityCode);
    EXPECT_EQ(readFlowControlSetting(c.flow), c.flowCode);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, InterfaceTextReading,
    ::testing::Values(
        InterfaceTextCase{"1.5", "Odd", "Xon / Xoff", stopbits::OneAndHalf, parity::Odd, flowcontrol::XonXoff},
        InterfaceTextCase{"1.52", "OddMark", "Hardware Xon / Xoff", stopbits::Two, parity::Mark, flowcontrol::XonXoff},
        InterfaceTextCase{"", "Space", "Hardware", stopbits::One, parity::Space, flowcontrol::Hardware},
        InterfaceTextCase{"two", "even", "xon / xoff", stopbits::One, parity::None, flowcontrol::None}));

} // namespace
} // namespace teb
