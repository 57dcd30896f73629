#pragma once

#include "history/background_task.h"
#include "journal/carrier_id_journal.h"

#include <filesystem>
#include <stop_token>
#include <string>

// "Export CSV...": every entry the search finds (the whole journal without
// one), in the list's order, as a CSV file. A background task's work: it
// reads a page at a time from a journal connection of its own, and the file
// replaces the chosen one only once it is whole.
namespace teb {

TaskOutcome exportHistory(const CarrierIdJournal::Opener &openJournal, const std::string &search,
                          const std::filesystem::path &file, std::stop_token stop, TaskProgress &progress);

} // namespace teb
