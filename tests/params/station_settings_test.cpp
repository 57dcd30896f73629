// The profile files as Windows reads and writes them, and the station's
// settings file on top of them.
#include "params/profile_file.h"
#include "params/station_settings.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace teb {
namespace {

using namespace std::string_literals;
using namespace test;
using Names = std::vector<std::string>;
constexpr auto kNpos = std::string::npos;

StationSettings sampleSettings()
{
    StationSettings s{.interfaceSettings = {"COM3", 115200, 8, parity::Even, stopbits::Two, flowcontrol::Hardware},
                      .automaticMode = true, .currentSetName = "Job B", .setList = SetList({"Job A", "Job B"}),
                      .carrierIdMax = "18446744073709551615", .csvDelimiter = ",", .selectAll = false,
                      .pageSelected = {}, .asciiFormat = true, .pageText = {}, .pageDefault = {},
                      .manualCarrierIdOffset = "2", .manualCarrierIdLength = "4", .manualCarrierId = "0017",
                      .manualLog = true, .manualTypeTi = true, .manualTypeOrvex = false,
                      .manualLogFileName = "/tmp/manual_log.xml", .journalServer = {}, .stationName = {}};
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
    EXPECT_NE(writtenFile(dir).find("Pruefablaeufe=256\r\n"), kNpos);
    EXPECT_NE(writtenFile(dir).find("Pruefablauf_255=Set 255\r\nPruefablauf_256=Set 256\r\n"), kNpos);
}

// What Windows gives, also for hand-edited files: blanks around "=", quotes, a
// byte-order mark, line ends converted twice, a lone CR.
TEST(ProfileRead, FindsTheValueAsWindowsWould)
{
    const std::array<std::string, 3> cases[] = {  // file, key in section "Auto", value
        {"[AUTO]\r\nbaudrate=9600\r\n", "Baudrate", "9600"}, {"[Auto]\nk=7", "k", "7"},
        {"[Auto]\r\n  k \t= v \r\n", "K", "v"}, {"[Auto]\r\nk=a=b\r\n", "k", "a=b"},
        {"[Auto]\r\nx=1\r\n[Data]\r\nk=2\r\n", "k", ""}, {"[Auto]\r\nk=1\r\nk=2\r\n", "k", "1"},
        {"[Auto]\r\n[Data]\r\n[auto]\r\nk=3\r\n", "k", "3"}, {"[Auto]\r\nk\r\n[Data\r\nk=5\r\n", "k", "5"},
        {"[Auto]\r\nk=ab\0cd\r\n"s, "k", "ab"}, {"[Auto]\r\nk=\" A B \"\r\n", "k", " A B "},
        {"[Auto]\r\nk='x'\r\n", "k", "x"}, {"[Auto]\r\nk=\"x'\r\n", "k", "\"x'"},
        {"\xEF\xBB\xBF[Auto]\r\nk=2\r\n", "k", "2"}, {"[Auto]\r\r\nk=COM3\r\r\n", "k", "COM3"},
        {"[Auto]\rk=1\r\n[Auto]\nk=2", "k", "2"}, {"[Auto]\r\nk=\rname\r\n", "k", ""}, {"[Auto]\r\nk=ab\rcd\r\n", "k", "ab"}};
    for (const auto &[file, key, value] : cases)
        EXPECT_EQ(ProfileDocument::parse(file).value("Auto", key), value) << testing::PrintToString(file);

    ProfileDocument withMark = ProfileDocument::parse("\xEF\xBB\xBF[Auto]\r\nk=2\r\n");
    withMark.setValue("Auto", "k", "3");
    EXPECT_EQ(withMark.serialise(), "\xEF\xBB\xBF[Auto]\r\nk=3\r\n");  // no second section
}

// Every value the station writes reads back as it was written, and load ->
// save -> load keeps every value for any bytes.
TEST(ProfileWrite, EveryValueWrittenReadsBackUnchanged)
{
    for (const std::string value : {" A B C D E F G H", "NUL NUL 1 2 3 4 5  ", "\"quoted\"", "'q'", "\"", " ", "\t",
                                     "a \"b\" c", "x"}) {
        ProfileDocument document;
        document.setValue("Data", "P1", value);
        EXPECT_EQ(ProfileDocument::parse(document.serialise()).value("Data", "P1"), value)
            << testing::PrintToString(value);
    }
    std::mt19937 generator(7);
    for (int round = 0; round < 200; ++round) {
        std::string file = "[A]\r\n";
        for (int i = 0; i < 20; ++i)
            file += static_cast<char>("k=\r\n \"'x"[generator() % 9]);
        const ProfileDocument once = ProfileDocument::parse(file);
        const ProfileDocument twice = ProfileDocument::parse(once.serialise());
        EXPECT_EQ(twice.value("A", "k"), once.value("A", "k")) << testing::PrintToString(file);
        ProfileDocument rewritten = once;
        rewritten.setValue("A", "k", once.value("A", "k"));
        EXPECT_EQ(ProfileDocument::parse(rewritten.serialise()).value("A", "k"), once.value("A", "k"));
    }
}

TEST(ProfileWrite, ReplacesInPlaceAppendsToItsSectionAndKeepsOtherLines)
{
    ProfileDocument document = ProfileDocument::parse("; note\nstray=1\n[A]\nfirst=1\nSECOND=2\n\n[B]\nno equals");
    document.setValue("a", "second", "two");
    document.setValue("A", "third", "3\0junk"s);
    document.setValue("C", "c", "new\r\n[B]\r\nx=1");  // a line break cannot add keys
    EXPECT_EQ(document.serialise(), "; note\r\nstray=1\r\n[A]\r\nfirst=1\r\nSECOND=two\r\nthird=3\r\n\r\n"
                                    "[B]\r\nno equals\r\n[C]\r\nc=new\r\n");
}

} // namespace
} // namespace teb
