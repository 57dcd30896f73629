#pragma once

#include "journal/carrier_id_journal.h"
#include "params/parameter_set.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// A power cut between a cycle's confirmation and its record, or a record file
// that failed, leaves a programmed transponder without its record. At start
// the station looks for the records of the entries it has not noted as
// recorded, notes those it finds and names those it does not.
namespace teb {

struct MissingRecords {
    std::string setName;
    std::filesystem::path file; // the set's record file
    std::vector<JournalEntry> entries;
};

using SetLoader = std::function<ParameterSet(const std::string &setName)>;

// Throws JournalError when the journal cannot be read.
std::vector<MissingRecords> findMissingRecords(CarrierIdJournal &journal, const std::filesystem::path &workingDirectory,
                                               const SetLoader &loadSet);

std::string missingRecordsText(const std::vector<MissingRecords> &missing);

} // namespace teb
