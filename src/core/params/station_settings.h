#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "params/parameter_set.h"
#include "params/set_list.h"
#include "reader/interface_settings.h"

namespace teb {

inline constexpr std::string_view kSettingsFileName = "TagEncoderBench.ini";
inline constexpr std::string_view kDefaultCsvDelimiter = ",";

// The station-wide state kept in the settings file. Arrays are indexed by
// page number - 1.
struct StationSettings {
    InterfaceSettings interfaceSettings;

    bool automaticMode = false;
    std::string currentSetName;
    SetList setList;
    std::string carrierIdMax;
    std::string csvDelimiter{kDefaultCsvDelimiter};  // read only: never written
    bool silentFail = false;  // "Silent FAIL=1": no sound on a failed cycle; read only
    // "Read Back All Pages=0": a cycle reads back only the carrier ID's pages
    // and the counter page (each page read costs radio time); read only.
    bool readBackAllPages = true;

    bool selectAll = false;
    std::array<bool, kPageCount> pageSelected{};
    bool asciiFormat = false;
    std::array<std::string, kPageCount> pageText;
    std::array<std::string, kPageCount> pageDefault;  // read only: never written

    std::string manualCarrierIdOffset;
    std::string manualCarrierIdLength;
    std::string manualCarrierId;
    bool manualLog = false;
    bool manualTypeTi = false;  // exactly one of the two family flags is set
    bool manualTypeOrvex = true;
    std::string manualLogFileName;

    // [Journal]: a PostgreSQL server that several stations share (a libpq
    // connection string; empty: the local journal file) and the name this
    // station writes into it (empty: host name and working folder). Read only.
    std::string journalServer;
    std::string stationName;
    bool journalServerCut = false; // the Server value reached the read limit: it may be cut

    bool operator==(const StationSettings &) const = default;
};

// Reads "TagEncoderBench.ini" in the directory. A missing or unreadable file,
// and every missing key, give the empty or zero reading.
StationSettings loadSettings(const std::filesystem::path &directory);

// Writes every key the station keeps into "TagEncoderBench.ini" in the
// directory, keeping all other lines of the file (among them "csv delimiter"
// and "P1Default" .. "P17Default"). False when the file could not be written.
bool saveSettings(const std::filesystem::path &directory, const StationSettings &settings);

} // namespace teb
