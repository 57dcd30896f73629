#pragma once

#include "automatic/csv_data_source.h"
#include "journal/carrier_id_journal.h"
#include "params/parameter_set.h"
#include "params/set_list.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace teb {

// The job the station works on: its folder, the sets and the current one,
// the carrier IDs to come, the counts, the journal and the last cycle.
struct JobState {
    std::filesystem::path workingDirectory;
    SetList setList;
    std::string currentSetName;
    ParameterSet currentSet;
    std::string nextCarrierId;
    std::string carrierIdMax;
    std::string csvDelimiter = ",";
    bool silentFail = false; // no sound on FAIL
    bool readBackAllPages = true; // false: the carrier ID's pages and the counter page
    std::uint64_t programmedCount = 0;
    std::uint64_t programmedInSet = 0; // the current set's programmed transponders
    bool jobHeaderPending = true;      // the record file's job header goes before the next record
    bool recordFailed = false;
    CsvSourceState csvSource; // the CSV row in the pages
    bool savedInEditor = false;

    std::string journalServer; // [Journal] Server: a shared PostgreSQL journal; empty: the local file
    bool journalServerCut = false; // it reached the settings reader's length limit
    std::string stationName;   // [Journal] Station: empty: host name and working folder
    std::unique_ptr<CarrierIdJournal> journal; // none when it could not be opened
    std::string journalProblem;                // why not
    // Files of earlier versions that could not be taken over: while one is
    // there, what it may name is not programmed (the message says so).
    std::string progressHold; // the current set's progress file: the set
    std::string pendingHold;  // the pending CSV mark: every CSV source
    std::string counterStart; // the counter page value the current set's run began from
    std::int64_t fixedJob = 0;

};

} // namespace teb
