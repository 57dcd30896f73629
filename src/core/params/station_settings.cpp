#include "params/station_settings.h"

#include <algorithm>
#include <vector>

#include "common/decimal_text.h"
#include "params/profile_file.h"
#include "reader/interface_settings_texts.h"

namespace teb {
namespace {

constexpr std::string_view interfaceSection = "Interface";
constexpr std::string_view autoSection = "Auto";
constexpr std::string_view journalSection = "Journal";
constexpr std::string_view dataSection = "Data";
constexpr std::string_view manualSection = "Manual";

constexpr std::string_view setCountKey = "Pruefablaeufe";
constexpr std::string_view carrierIdOffsetKey = "Carrier ID Offset";
constexpr std::string_view carrierIdLengthKey = "Carrier ID Length";
constexpr std::string_view carrierIdKey = "Carrier ID";
constexpr std::string_view fileNameKey = "file name";

std::string setNameKey(int index) { return "Pruefablauf_" + formatDecimal(index); }
std::string selectKey(int page) { return "SelectP" + formatDecimal(page); }
std::string pageTextKey(int page) { return "P" + formatDecimal(page); }
std::string pageDefaultKey(int page) { return pageTextKey(page) + "Default"; }

std::filesystem::path settingsPath(const std::filesystem::path &directory) { return directory / settingsFileName; }

// ---- reading ----

InterfaceSettings readInterface(const ProfileDocument &file)
{
    InterfaceSettings settings;
    settings.portName = file.value(interfaceSection, "port");
    settings.baudRate = readDecimalClamped(file.value(interfaceSection, "baudrate"), INT32_MIN, INT32_MAX);
    settings.dataBits = readDecimalClamped(file.value(interfaceSection, "databits"), INT32_MIN, INT32_MAX);
    settings.stopBitsCode = readStopBitsSetting(file.value(interfaceSection, "stopbits"));
    settings.parityCode = readParitySetting(file.value(interfaceSection, "parity"));
    settings.flowControlCode = readFlowControlSetting(file.value(interfaceSection, "Flowcontrol"));
    return settings;
}

// A count below 0 reads as 0 and one above the list's capacity as the capacity.
SetList readSetList(const ProfileDocument &file)
{
    const int count =
        readDecimalClamped(file.value(autoSection, setCountKey), 0, static_cast<int>(SetList::maxNames));
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(file.value(autoSection, setNameKey(i)));
    return SetList(names);
}

void readAuto(const ProfileDocument &file, StationSettings &settings)
{
    settings.automaticMode = readDecimalClamped(file.value(autoSection, "SelectConfig"), INT32_MIN, INT32_MAX) == 1;
    settings.currentSetName = file.value(autoSection, "Pruefablauf_ist");
    settings.setList = readSetList(file);
    settings.carrierIdMax = file.value(autoSection, "Carrier ID Max");
    settings.journalServer = file.value(journalSection, "Server");
    settings.journalServerCut = settings.journalServer.size() >= ProfileDocument::maxValueLength;
    settings.stationName = file.value(journalSection, "Station");
    settings.csvDelimiter = file.value(autoSection, "csv delimiter");
    if (settings.csvDelimiter.empty())
        settings.csvDelimiter = defaultCsvDelimiter;
    settings.silentFail = readFlag(file.value(autoSection, "Silent FAIL"));
    settings.readBackAllPages = file.value(autoSection, "Read Back All Pages") != "0";
}

void readData(const ProfileDocument &file, StationSettings &settings)
{
    settings.selectAll = readFlag(file.value(dataSection, "SelectAll"));
    settings.asciiFormat = readFlag(file.value(dataSection, "Format"));
    for (int page = 1; page <= kPageCount; ++page) {
        settings.pageSelected[page - 1] = readFlag(file.value(dataSection, selectKey(page)));
        settings.pageText[page - 1] = file.value(dataSection, pageTextKey(page));
        settings.pageDefault[page - 1] = file.value(dataSection, pageDefaultKey(page));
    }
}

void readManual(const ProfileDocument &file, StationSettings &settings)
{
    settings.manualCarrierIdOffset = file.value(manualSection, carrierIdOffsetKey);
    settings.manualCarrierIdLength = file.value(manualSection, carrierIdLengthKey);
    settings.manualCarrierId = file.value(manualSection, carrierIdKey);
    settings.manualLog = readFlag(file.value(manualSection, "Log"));
    settings.manualTypeTi = readFlag(file.value(manualSection, "Type"));
    settings.manualTypeOrvex = !settings.manualTypeTi;
    settings.manualLogFileName = file.value(manualSection, fileNameKey);
}

// ---- writing ----

void writeInterface(ProfileDocument &file, const InterfaceSettings &settings)
{
    file.setValue(interfaceSection, "port", settings.portName);
    file.setValue(interfaceSection, "baudrate", formatDecimal(settings.baudRate));
    file.setValue(interfaceSection, "databits", formatDecimal(settings.dataBits));
    file.setValue(interfaceSection, "stopbits", stopBitsText(settings.stopBitsCode));
    file.setValue(interfaceSection, "parity", parityText(settings.parityCode));
    file.setValue(interfaceSection, "Flowcontrol", flowControlText(settings.flowControlCode));
}

// Writes the list, then blanks names left behind by a longer list: from the
// end of the list up to the first entry that is already missing or empty.
void writeSetList(ProfileDocument &file, const SetList &list)
{
    file.setValue(autoSection, setCountKey, formatDecimal(list.count()));
    for (int i = 0; i < list.count(); ++i)
        file.setValue(autoSection, setNameKey(i), list.names()[static_cast<std::size_t>(i)]);
    for (int i = list.count(); i < static_cast<int>(SetList::maxNames); ++i) {
        if (file.value(autoSection, setNameKey(i)).empty())
            break;
        file.setValue(autoSection, setNameKey(i), "");
    }
}

void writeAuto(ProfileDocument &file, const StationSettings &settings)
{
    file.setValue(autoSection, "SelectConfig", formatDecimal(settings.automaticMode ? 1 : 0));
    file.setValue(autoSection, "Pruefablauf_ist", settings.currentSetName);
    writeSetList(file, settings.setList);
    file.setValue(autoSection, "Carrier ID Max", settings.carrierIdMax);
}

void writeData(ProfileDocument &file, const StationSettings &settings)
{
    file.setValue(dataSection, "SelectAll", formatFlag(settings.selectAll));
    for (int page = 1; page <= kPageCount; ++page)
        file.setValue(dataSection, selectKey(page), formatFlag(settings.pageSelected[page - 1]));
    file.setValue(dataSection, "Format", formatDecimal(settings.asciiFormat ? 1 : 0));
    for (int page = 1; page <= kPageCount; ++page)
        file.setValue(dataSection, pageTextKey(page), settings.pageText[page - 1]);
}

void writeManual(ProfileDocument &file, const StationSettings &settings)
{
    file.setValue(manualSection, carrierIdOffsetKey, settings.manualCarrierIdOffset);
    file.setValue(manualSection, carrierIdLengthKey, settings.manualCarrierIdLength);
    file.setValue(manualSection, carrierIdKey, settings.manualCarrierId);
    file.setValue(manualSection, "Log", formatFlag(settings.manualLog));
    file.setValue(manualSection, "Type", formatFlag(settings.manualTypeTi));
    file.setValue(manualSection, fileNameKey, settings.manualLogFileName);
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
