#include "params/station_settings.h"

#include <algorithm>
#include <vector>

#include "common/decimal_text.h"
#include "params/profile_file.h"
#include "reader/interface_settings_texts.h"

namespace teb {
namespace {

constexpr std::string_view kInterfaceSection = "Interface";
constexpr std::string_view kAutoSection = "Auto";
constexpr std::string_view kJournalSection = "Journal";
constexpr std::string_view kDataSection = "Data";
constexpr std::string_view kManualSection = "Manual";

constexpr std::string_view kSetCountKey = "Pruefablaeufe";
constexpr std::string_view kCarrierIdOffsetKey = "Carrier ID Offset";
constexpr std::string_view kCarrierIdLengthKey = "Carrier ID Length";
constexpr std::string_view kCarrierIdKey = "Carrier ID";
constexpr std::string_view kFileNameKey = "file name";

std::string setNameKey(int index) { return "Pruefablauf_" + formatDecimal(index); }
std::string selectKey(int page) { return "SelectP" + formatDecimal(page); }
std::string pageTextKey(int page) { return "P" + formatDecimal(page); }
std::string pageDefaultKey(int page) { return pageTextKey(page) + "Default"; }

std::filesystem::path settingsPath(const std::filesystem::path &directory) { return directory / kSettingsFileName; }

// ---- reading ----

InterfaceSettings readInterface(const ProfileDocument &file)
{
    InterfaceSettings settings;
    settings.portName = file.value(kInterfaceSection, "port");
    settings.baudRate = readDecimalClamped(file.value(kInterfaceSection, "baudrate"), INT32_MIN, INT32_MAX);
    settings.dataBits = readDecimalClamped(file.value(kInterfaceSection, "databits"), INT32_MIN, INT32_MAX);
    settings.stopBitsCode = readStopBitsSetting(file.value(kInterfaceSection, "stopbits"));
    settings.parityCode = readParitySetting(file.value(kInterfaceSection, "parity"));
    settings.flowControlCode = readFlowControlSetting(file.value(kInterfaceSection, "Flowcontrol"));
    return settings;
}

// A count below 0 reads as 0 and one above the list's capacity as the capacity.
SetList readSetList(const ProfileDocument &file)
{
    const int count =
        readDecimalClamped(file.value(kAutoSection, kSetCountKey), 0, static_cast<int>(SetList::kMaxNames));
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(file.value(kAutoSection, setNameKey(i)));
    return SetList(names);
}

void readAuto(const ProfileDocument &file, StationSettings &settings)
{
    settings.automaticMode = readDecimalClamped(file.value(kAutoSection, "SelectConfig"), INT32_MIN, INT32_MAX) == 1;
    settings.currentSetName = file.value(kAutoSection, "Pruefablauf_ist");
    settings.setList = readSetList(file);
    settings.carrierIdMax = file.value(kAutoSection, "Carrier ID Max");
    settings.journalServer = file.value(kJournalSection, "Server");
    settings.journalServerCut = settings.journalServer.size() >= ProfileDocument::kMaxValueLength;
    settings.stationName = file.value(kJournalSection, "Station");
    settings.csvDelimiter = file.value(kAutoSection, "csv delimiter");
    if (settings.csvDelimiter.empty())
        settings.csvDelimiter = kDefaultCsvDelimiter;
    settings.silentFail = readFlag(file.value(kAutoSection, "Silent FAIL"));
    settings.readBackAllPages = file.value(kAutoSection, "Read Back All Pages") != "0";
}

void readData(const ProfileDocument &file, StationSettings &settings)
{
    settings.selectAll = readFlag(file.value(kDataSection, "SelectAll"));
    settings.asciiFormat = readFlag(file.value(kDataSection, "Format"));
    for (int page = 1; page <= kPageCount; ++page) {
        settings.pageSelected[page - 1] = readFlag(file.value(kDataSection, selectKey(page)));
        settings.pageText[page - 1] = file.value(kDataSection, pageTextKey(page));
        settings.pageDefault[page - 1] = file.value(kDataSection, pageDefaultKey(page));
    }
}

void readManual(const ProfileDocument &file, StationSettings &settings)
{
    settings.manualCarrierIdOffset = file.value(kManualSection, kCarrierIdOffsetKey);
    settings.manualCarrierIdLength = file.value(kManualSection, kCarrierIdLengthKey);
    settings.manualCarrierId = file.value(kManualSection, kCarrierIdKey);
    settings.manualLog = readFlag(file.value(kManualSection, "Log"));
    settings.manualTypeTi = readFlag(file.value(kManualSection, "Type"));
    settings.manualTypeOrvex = !settings.manualTypeTi;
    settings.manualLogFileName = file.value(kManualSection, kFileNameKey);
}

// ---- writing ----

void writeInterface(ProfileDocument &file, const InterfaceSettings &settings)
{
    file.setValue(kInterfaceSection, "port", settings.portName);
    file.setValue(kInterfaceSection, "baudrate", formatDecimal(settings.baudRate));
    file.setValue(kInterfaceSection, "databits", formatDecimal(settings.dataBits));
    file.setValue(kInterfaceSection, "stopbits", stopBitsText(settings.stopBitsCode));
    file.setValue(kInterfaceSection, "parity", parityText(settings.parityCode));
    file.setValue(kInterfaceSection, "Flowcontrol", flowControlText(settings.flowControlCode));
}

// Writes the list, then blanks names left behind by a longer list: from the
// end of the list up to the first entry that is already missing or empty.
void writeSetList(ProfileDocument &file, const SetList &list)
{
    file.setValue(kAutoSection, kSetCountKey, formatDecimal(list.count()));
    for (int i = 0; i < list.count(); ++i)
        file.setValue(kAutoSection, setNameKey(i), list.names()[static_cast<std::size_t>(i)]);
    for (int i = list.count(); i < static_cast<int>(SetList::kMaxNames); ++i) {
        if (file.value(kAutoSection, setNameKey(i)).empty())
            break;
        file.setValue(kAutoSection, setNameKey(i), "");
    }
}

void writeAuto(ProfileDocument &file, const StationSettings &settings)
{
    file.setValue(kAutoSection, "SelectConfig", formatDecimal(settings.automaticMode ? 1 : 0));
    file.setValue(kAutoSection, "Pruefablauf_ist", settings.currentSetName);
    writeSetList(file, settings.setList);
    file.setValue(kAutoSection, "Carrier ID Max", settings.carrierIdMax);
}

void writeData(ProfileDocument &file, const StationSettings &settings)
{
    file.setValue(kDataSection, "SelectAll", formatFlag(settings.selectAll));
    for (int page = 1; page <= kPageCount; ++page)
        file.setValue(kDataSection, selectKey(page), formatFlag(settings.pageSelected[page - 1]));
    file.setValue(kDataSection, "Format", formatDecimal(settings.asciiFormat ? 1 : 0));
    for (int page = 1; page <= kPageCount; ++page)
        file.setValue(kDataSection, pageTextKey(page), settings.pageText[page - 1]);
}

void writeManual(ProfileDocument &file, const StationSettings &settings)
{
    file.setValue(kManualSection, kCarrierIdOffsetKey, settings.manualCarrierIdOffset);
    file.setValue(kManualSection, kCarrierIdLengthKey, settings.manualCarrierIdLength);
    file.setValue(kManualSection, kCarrierIdKey, settings.manualCarrierId);
    file.setValue(kManualSection, "Log", formatFlag(settings.manualLog));
    file.setValue(kManualSection, "Type", formatFlag(settings.manualTypeTi));
    file.setValue(kManualSection, kFileNameKey, settings.manualLogFileName);
}

} // namespace

StationSettings loadSettings(const std::filesystem::path &directory)
{
    const ProfileDocument file = ProfileDocument::loadOrEmpty(settingsPath(directory));
    StationSettings settings;
    settings.interfaceSettings = readInterface(file);
    readAuto(file, settings);
    readData(file, settings);
    readManual(file, settings);
    return settings;
}

bool saveSettings(const std::filesystem::path &directory, const StationSettings &settings)
{
    // A file that exists but cannot be read is not replaced: its content
    // (hand-kept keys among it) would be lost.
    auto file = ProfileDocument::load(settingsPath(directory));
    if (!file)
        return false;
    writeInterface(*file, settings.interfaceSettings);
    writeAuto(*file, settings);
    writeData(*file, settings);
    writeManual(*file, settings);
    return file->save(settingsPath(directory));
}

} // namespace teb
