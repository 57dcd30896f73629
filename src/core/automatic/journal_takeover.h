#pragma once

#include "journal/carrier_id_journal.h"
#include "params/parameter_set.h"

#include <filesystem>
#include <optional>
#include <string>

// The files in which earlier versions kept their progress, taken over into
// the journal once and then removed: a set's "<set>.progress" (the carrier
// IDs from its start up to where it had got count as issued) and the
// folder's "TagEncoderBench.pending" (a programmed row whose "X" is missing).
namespace teb {

// The set's progress file, when there is one. `saved` is the set as its file
// holds it. A file that cannot be taken over exactly (unreadable, emptied,
// numbers that are none or do not fit) is left in place and not marked as
// taken over: the message says so, and the set must not be programmed
// meanwhile. Throws JournalError.
std::optional<std::string> takeOverProgressFile(CarrierIdJournal &journal, const std::filesystem::path &directory,
                          const std::string &setName, const ParameterSet &saved);

// The pending mark; a message when the file is damaged and was left in
// place (no CSV row may be offered meanwhile). Throws JournalError.
std::optional<std::string> takeOverPendingMark(CarrierIdJournal &journal, const std::filesystem::path &directory);

} // namespace teb
