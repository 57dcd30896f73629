#pragma once

#include "automatic/csv_data_source.h"
#include "journal/journal_entry.h"

#include <string>
#include <string_view>
#include <vector>

// What the journal's part of the cycle tells the operator: texts that name
// the carrier ID, the transponder and the journal file.
namespace teb {

void notifyText(NoticeSink &notices, const std::string &text, NoticeLevel level);

// A transponder whose UID already has a programmed carrier ID.
std::string alreadyProgrammedText(const JournalEntry &programmed);
// A transponder that a finishing cycle found locked with other data.
std::string spoiledTransponderText(const JournalEntry &spoiled);
std::string spoiledNowText(const JournalEntry &entry, int page);
std::string spoiledFailureText(int page);
// The transponder did not read back what its cycle wrote (the reason in words).
std::string readBackFailedText(const std::string &failure);
// Another station reserved the carrier ID between the choice and the reservation.
std::string takenMeanwhileText(std::string_view carrierId);
// Another transponder holds the bytes the carrier ID puts into pages 1 and 2.
std::string pagesTakenMeanwhileText(std::string_view carrierId);
std::string journalUnavailableText(std::string_view problem);
std::string journalFailedText(std::string_view problem);
// The transponder is programmed but the journal could not note it.
std::string confirmationFailedText(std::string_view problem);
// A cycle's end (failed, uncertain, spoiled) could not be noted.
std::string endNotWrittenText(std::string_view problem);
// Start-up: the cycles that were cut off, listed once.
std::string interruptedCyclesText(const std::vector<JournalEntry> &interrupted);
// "next" moved by hand onto a carrier ID that a transponder holds.
std::string carrierIdIssuedText(const JournalEntry &holder);
// "Config" handed back a counter page value that the set's run has written.
std::string counterValueWrittenText(std::string_view typed, std::string_view runNext);

// "write carrier ID" of a carrier ID that another transponder holds.
std::string manualCarrierIdQuestion(const JournalEntry &holder, const std::string &uid);

// "carrier ID 0042" or, for fixed data, "fixed data no. 3".
std::string entryName(const JournalEntry &entry);

} // namespace teb
