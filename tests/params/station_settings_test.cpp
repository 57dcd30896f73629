#include "params/station_settings.h"

#include <gtest/gtest.h>

#include "params/settings_interface_texts.h"
#include "reader/interface_settings_texts.h"
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
    s.selectAll = false;
    s.pageSelected[0] = true;
    s.pageSelected[16] = true;
    s.asciiFormat = true;
    s.pageText[0] = " A B C D E F G H";
    s.pageText[16] = "NUL NUL 1 2 3 4 5 6";
    s.manualCarrierIdOffset = "2";
    s.manualCarrierIdLength = "4";
    s.manualCarrierId = "0017";
    s.manualLog = true;
    s.manualTypeTi = true;
    s.manualTypeOrvex = false;
    s.manualLogFileName = "/tmp/manual_log.xml";
    return s;
}

std::string expectedSampleFile()
{
    std::string file =
        "[Interface]\r\nport=COM3\r\nbaudrate=115200\r\ndatabits=8\r\nstopbits=2\r\nparity=Even\r\n"
        "Flowcontrol=Hardware\r\n"
        "[Auto]\r\nSelectConfig=1\r\nPruefablauf_ist=Job B\r\nPruefablaeufe=2\r\nPruefablauf_0=Job A\r\n"
        "Pruefablauf_1=Job B\r\nCarrier ID Max=18446744073709551615\r\n"
        "[Data]\r\nSelectAll=0\r\nSelectP1=1\r\n";
    for (int page = 2; page <= 16; ++page)
        file += "SelectP" + std::to_string(page) + "=0\r\n";
    file += "SelectP17=1\r\nFormat=1\r\nP1= A B C D E F G H\r\n";
    for (int page = 2; page <= 16; ++page)
        file += "P" + std::to_string(page) + "=\r\n";
    file += "P17=NUL NUL 1 2 3 4 5 6\r\n"
            "[Manual]\r\nCarrier ID Offset=2\r\nCarrier ID Length=4\r\nCarrier ID=0017\r\nLog=1\r\nType=1\r\n"
            "file name=/tmp/manual_log.xml\r\n";
    return file;
}

TEST(SettingsFile, FreshFileHoldsEveryKeyInOrder)
{
    TempDir dir;
    ASSERT_TRUE(saveSettings(dir.path(), sampleSettings()));
    EXPECT_EQ(readFileBytes(dir / "TagEncoderBench.ini"), expectedSampleFile());
    EXPECT_EQ(loadSettings(dir.path()), sampleSettings());
}

TEST(SettingsFile, MissingFileGivesTheStartState)
{
    TempDir dir;
    const StationSettings loaded = loadSettings(dir.path());
    EXPECT_EQ(loaded, StationSettings{});
    EXPECT_EQ(loaded.csvDelimiter, ",");
    EXPECT_TRUE(loaded.manualTypeOrvex);
    EXPECT_FALSE(loaded.manualTypeTi);
}

TEST(SettingsFile, SecondSaveRewritesValuesInPlace)
{
    TempDir dir;
    ASSERT_TRUE(saveSettings(dir.path(), sampleSettings()));
    StationSettings changed = sampleSettings();
    changed.interfaceSettings.portName = "COM7";
    changed.pageText[0] = "00 11 22 33 44 55 66 77";
    ASSERT_TRUE(saveSettings(dir.path(), changed));
    std::string expected = expectedSampleFile();
    expected.replace(expected.find("COM3"), 4, "COM7");
    expected.replace(expected.find(" A B C D E F G H"), 16, "00 11 22 33 44 55 66 77");
    EXPECT_EQ(readFileBytes(dir / "TagEncoderBench.ini"), expected);
}

TEST(SettingsFile, HandKeptKeysAreReadButNeverWritten)
{
    TempDir dir;
    const std::string handKept = "[Auto]\r\ncsv delimiter=;\r\n[Data]\r\nP3Default=00 01\r\nP17Default=FF\r\n";
    writeFileBytes(dir / "TagEncoderBench.ini", handKept);
    const StationSettings loaded = loadSettings(dir.path());
    EXPECT_EQ(loaded.csvDelimiter, ";");
    EXPECT_EQ(loaded.pageDefault[2], "00 01");
    EXPECT_EQ(loaded.pageDefault[16], "FF");

    StationSettings changed = loaded;
    changed.csvDelimiter = "|";
    changed.pageDefault[2] = "changed";
    ASSERT_TRUE(saveSettings(dir.path(), changed));
    const std::string written = readFileBytes(dir / "TagEncoderBench.ini");
    EXPECT_NE(written.find("csv delimiter=;\r\n"), std::string::npos);
    EXPECT_NE(written.find("P3Default=00 01\r\n"), std::string::npos);
    EXPECT_EQ(written.find("changed"), std::string::npos);
    EXPECT_EQ(written.find("P1Default"), std::string::npos);
}

TEST(SettingsFile, WindowsFileWithLowerCaseKeysAndLfEndings)
{
    for (const std::string lineEnd : {"\r\n", "\n"}) {
        TempDir dir;
        writeFileBytes(dir / "TagEncoderBench.ini",
                       "[interface]" + lineEnd + "PORT=COM2" + lineEnd + "BaudRate=  9600" + lineEnd +
                           "[auto]" + lineEnd + "selectconfig=1" + lineEnd + "csv DELIMITER=" + lineEnd +
                           "[data]" + lineEnd + "selectp5=1" + lineEnd + "format=1" + lineEnd +
                           "[manual]" + lineEnd + "type=1");
        const StationSettings loaded = loadSettings(dir.path());
        EXPECT_EQ(loaded.interfaceSettings.portName, "COM2");
        EXPECT_EQ(loaded.interfaceSettings.baudRate, 9600);
        EXPECT_TRUE(loaded.automaticMode);
        EXPECT_EQ(loaded.csvDelimiter, ",");
        EXPECT_TRUE(loaded.pageSelected[4]);
        EXPECT_TRUE(loaded.asciiFormat);
        EXPECT_TRUE(loaded.manualTypeTi);
        EXPECT_FALSE(loaded.manualTypeOrvex);
    }
}

TEST(SettingsFile, FlagsAreTrueOnlyForOne)
{
    TempDir dir;
    writeFileBytes(dir / "TagEncoderBench.ini",
                   "[Data]\r\nSelectAll=true\r\nSelectP1=yes\r\nSelectP2= 1\r\nSelectP3=1\r\nFormat=01\r\n"
                   "[Manual]\r\nLog=TRUE\r\nType=2\r\n[Auto]\r\nSelectConfig= 1abc\r\n");
    const StationSettings loaded = loadSettings(dir.path());
    EXPECT_FALSE(loaded.selectAll);
    EXPECT_FALSE(loaded.pageSelected[0]);
    EXPECT_FALSE(loaded.pageSelected[1]);
    EXPECT_TRUE(loaded.pageSelected[2]);
    EXPECT_FALSE(loaded.asciiFormat);
    EXPECT_FALSE(loaded.manualLog);
    EXPECT_TRUE(loaded.manualTypeOrvex);
    EXPECT_TRUE(loaded.automaticMode);  // "SelectConfig" is read as a decimal
}

TEST(SetListInSettings, StaleNamesBehindTheListAreBlanked)
{
    TempDir dir;
    writeFileBytes(dir / "TagEncoderBench.ini",
                   "[Auto]\r\nPruefablaeufe=2\r\nPruefablauf_0=A\r\nPruefablauf_1=B\r\nPruefablauf_2=C\r\n"
                   "Pruefablauf_3=D\r\nPruefablauf_4=\r\nPruefablauf_5=F\r\n");
    const StationSettings loaded = loadSettings(dir.path());
    EXPECT_EQ(loaded.setList.names(), (std::vector<std::string>{"A", "B"}));
    ASSERT_TRUE(saveSettings(dir.path(), loaded));
    const std::string written = readFileBytes(dir / "TagEncoderBench.ini");
    EXPECT_NE(written.find("Pruefablaeufe=2\r\nPruefablauf_0=A\r\nPruefablauf_1=B\r\nPruefablauf_2=\r\n"
                           "Pruefablauf_3=\r\nPruefablauf_4=\r\nPruefablauf_5=F\r\n"),
              std::string::npos)
        << written;
    EXPECT_EQ(loadSettings(dir.path()).setList, loaded.setList);
}

TEST(SetListInSettings, ShorterListAfterDeleteBlanksTheOldTail)
{
    TempDir dir;
    StationSettings settings;
    settings.setList = SetList({"A", "B", "C"});
    ASSERT_TRUE(saveSettings(dir.path(), settings));
    ASSERT_TRUE(removeSetName(settings.setList, "A"));
    ASSERT_TRUE(saveSettings(dir.path(), settings));
    const std::string written = readFileBytes(dir / "TagEncoderBench.ini");
    EXPECT_NE(written.find("Pruefablaeufe=2\r\nPruefablauf_0=B\r\nPruefablauf_1=C\r\nPruefablauf_2=\r\n"
                           "Carrier ID Max=\r\n"),
              std::string::npos)
        << written;
}

struct CountCase {
    const char *count;
    int namesInFile;
    int expectedCount;
};

class SetListCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(SetListCount, CountIsLimitedToTheListCapacity)
{
    TempDir dir;
    std::string file = "[Auto]\r\nPruefablaeufe=" + std::string(GetParam().count) + "\r\n";
    for (int i = 0; i < GetParam().namesInFile; ++i)
        file += "Pruefablauf_" + std::to_string(i) + "=Set " + std::to_string(i) + "\r\n";
    writeFileBytes(dir / "TagEncoderBench.ini", file);
    const StationSettings loaded = loadSettings(dir.path());
    ASSERT_EQ(loaded.setList.count(), GetParam().expectedCount);
    if (loaded.setList.count() > 0) {
        EXPECT_EQ(loaded.setList.names().back(), "Set " + std::to_string(GetParam().expectedCount - 1));
    }

    ASSERT_TRUE(saveSettings(dir.path(), loaded));
    EXPECT_EQ(loadSettings(dir.path()).setList, loaded.setList);
    const std::string written = readFileBytes(dir / "TagEncoderBench.ini");
    EXPECT_NE(written.find("Pruefablaeufe=" + std::to_string(GetParam().expectedCount) + "\r\n"), std::string::npos);
    if (GetParam().namesInFile > 256) {  // names behind the 256th are not the station's: left alone
        EXPECT_NE(written.find("Pruefablauf_256=Set 256\r\n"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, SetListCount,
                         ::testing::Values(CountCase{"-5", 3, 0}, CountCase{"100000", 300, 256},
                                           CountCase{"256", 256, 256}, CountCase{"3", 3, 3},
                                           CountCase{"junk", 2, 0}));

TEST(SetListInSettings, EmptyEntriesInsideTheListAreDropped)
{
    TempDir dir;
    writeFileBytes(dir / "TagEncoderBench.ini",
                   "[Auto]\r\nPruefablaeufe=3\r\nPruefablauf_0=A\r\nPruefablauf_2=C\r\n");
    EXPECT_EQ(loadSettings(dir.path()).setList.names(), (std::vector<std::string>{"A", "C"}));
}

struct InterfaceTextCase {
    const char *stopbits;
    const char *parity;
    const char *flow;
    std::int32_t stopCode;
    std::int32_t parityCode;
    std::int32_t flowCode;
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
    ::testing::Values(InterfaceTextCase{"1", "None", "No", stopbits::One, parity::None, flowcontrol::None},
                      InterfaceTextCase{"1.5", "Odd", "Xon / Xoff", stopbits::OneAndHalf, parity::Odd,
                                        flowcontrol::XonXoff},
                      InterfaceTextCase{"2", "Even", "Hardware", stopbits::Two, parity::Even, flowcontrol::Hardware},
                      InterfaceTextCase{"1.52", "OddMark", "Hardware Xon / Xoff", stopbits::Two, parity::Mark,
                                        flowcontrol::XonXoff},
                      InterfaceTextCase{"", "Space", "", stopbits::One, parity::Space, flowcontrol::None},
                      InterfaceTextCase{"two", "even", "xon / xoff", stopbits::One, parity::None,
                                        flowcontrol::None}));

TEST(InterfaceTextWriting, EveryWrittenTextReadsBackAsItsCode)
{
    for (std::int32_t code : {stopbits::One, stopbits::OneAndHalf, stopbits::Two})
        EXPECT_EQ(readStopBitsSetting(stopBitsText(code)), code);
    for (std::int32_t code : {parity::None, parity::Odd, parity::Even, parity::Mark, parity::Space})
        EXPECT_EQ(readParitySetting(parityText(code)), code);
    for (std::int32_t code : {flowcontrol::None, flowcontrol::XonXoff, flowcontrol::Hardware})
        EXPECT_EQ(readFlowControlSetting(flowControlText(code)), code);
}

TEST(InterfaceTextWriting, UnknownCodesAreWrittenAsTheDefaults)
{
    TempDir dir;
    StationSettings settings;
    settings.interfaceSettings.stopBitsCode = 7;
    settings.interfaceSettings.parityCode = -1;
    settings.interfaceSettings.flowControlCode = 99;
    ASSERT_TRUE(saveSettings(dir.path(), settings));
    EXPECT_EQ(readFileBytes(dir / "TagEncoderBench.ini")
                  .rfind("[Interface]\r\nport=\r\nbaudrate=0\r\ndatabits=0\r\nstopbits=1\r\nparity=None\r\n"
                         "Flowcontrol=No\r\n[Auto]", 0),
              0u);
}

TEST(SettingsFile, UnreadableFileIsNotOverwritten)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "TagEncoderBench.ini");
    EXPECT_FALSE(saveSettings(dir.path(), sampleSettings()));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "TagEncoderBench.ini"));
    EXPECT_EQ(loadSettings(dir.path()), StationSettings{});
}

} // namespace
} // namespace teb
