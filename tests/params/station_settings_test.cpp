#include "params/station_settings.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace teb {
namespace {

using namespace test;
using Names = std::vector<std::string>;
constexpr auto npos = std::string::npos;

StationSettings sampleSettings()
{
    StationSettings s{.interfaceSettings = {"COM3", 115200, 8, parity::Even, stopbits::Two, flowcontrol::Hardware},
                      .automaticMode = true, .currentSetName = "Job B", .setList = SetList({"Job A", "Job B"}),
                      .carrierIdMax = "18446744073709551615", .csvDelimiter = ",", .selectAll = false,
                      .pageSelected = {}, .asciiFormat = true, .pageText = {}, .pageDefault = {},
                      .manualCarrierIdOffset = "2", .manualCarrierIdLength = "4", .manualCarrierId = "0017",
                      .manualLog = true, .manualTypeTi = true, .manualTypeOrvex = false,
                      .manualLogFileName = "/tmp/manual_log.xml"};
    s.pageSelected[0] = s.pageSelected[16] = true;
    s.pageText[0] = " A B C D E F G H";
    s.pageText[16] = "NUL NUL 1 2 3 4 5 6";
    return s;
}

StationSettings loadFile(const TempDir &dir, const std::string &bytes)
{
    writeFileBytes(dir / "TagEncoderBench.ini", bytes);
    return loadSettings(dir.path());
}

std::string writtenFile(const TempDir &dir) { return readFileBytes(dir / "TagEncoderBench.ini"); }

TEST(SettingsFile, EveryKeyInOrderAndBack)
{
    TempDir dir;
    StationSettings settings = sampleSettings();
    ASSERT_TRUE(saveSettings(dir.path(), settings));
    EXPECT_EQ(writtenFile(dir), readFileBytes(std::filesystem::path(TEB_GOLDEN_DIR) / "sample_settings.ini"));
    EXPECT_EQ(loadSettings(dir.path()), settings);
}

TEST(SettingsFile, ReadsLenientlyAndAnUnreadableFileGivesTheStartStateAndCannotBeSaved)
{
    TempDir dir;
    const StationSettings loaded = loadFile(dir, "[interface]\nPORT=COM2\nBaudRate=  9600\n[auto]\ncsv DELIMITER=\n"
                                                 "SelectConfig= 1abc\n[data]\nselectp5= 1 \n[manual]\ntype=1\n");
    const InterfaceSettings port{"COM2", 9600, 0, parity::None, stopbits::One, flowcontrol::None};
    EXPECT_EQ(loaded.interfaceSettings, port);
    EXPECT_EQ(loaded.csvDelimiter, ",");
    EXPECT_TRUE(loaded.automaticMode && loaded.pageSelected[4] && loaded.manualTypeTi && !loaded.manualTypeOrvex);

    std::filesystem::remove(dir / "TagEncoderBench.ini");
    std::filesystem::create_directory(dir / "TagEncoderBench.ini");
    EXPECT_EQ(loadSettings(dir.path()), StationSettings{});
    EXPECT_FALSE(saveSettings(dir.path(), sampleSettings()));
}

TEST(SetListInSettings, CountIsLimitedToTheCapacityAndEmptyNamesAreDropped)
{
    TempDir dir;
    EXPECT_EQ(loadFile(dir, "[Auto]\r\nPruefablaeufe=-5\r\nPruefablauf_0=A\r\n").setList.count(), 0);
    // A count beyond 32 bits is the capacity, not a wrapped small number.
    EXPECT_EQ(loadFile(dir, "[Auto]\r\nPruefablaeufe=4294967298\r\nPruefablauf_0=A\r\nPruefablauf_1=B\r\n").setList.names(),
              (Names{"A", "B"}));
    EXPECT_EQ(loadFile(dir, "[Auto]\r\nPruefablaeufe=3\r\nPruefablauf_0=A\r\nPruefablauf_2=C\r\n").setList.names(),
              (Names{"A", "C"}));
    std::string file = "[Auto]\r\nPruefablaeufe=100000\r\n";
    for (int i = 0; i <= 256; ++i)
        file += "Pruefablauf_" + std::to_string(i) + "=Set " + std::to_string(i) + "\r\n";
    const StationSettings loaded = loadFile(dir, file);
    ASSERT_EQ(loaded.setList.count(), 256);
    ASSERT_TRUE(saveSettings(dir.path(), loaded));
    // Names behind the 256th are not the station's and are left alone.
    EXPECT_NE(writtenFile(dir).find("Pruefablaeufe=256\r\n"), npos);
    EXPECT_NE(writtenFile(dir).find("Pruefablauf_255=Set 255\r\nPruefablauf_256=Set 256\r\n"), npos);
}

} // namespace
} // namespace teb
