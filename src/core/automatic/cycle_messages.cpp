#include "automatic/cycle_messages.h"

namespace teb {
namespace {

std::string uidName(const JournalEntry &entry)
{
    return entry.uid.empty() ? std::string("a transponder whose UID is unknown") : "transponder " + entry.uid;
}

} // namespace

void notifyText(NoticeSink &notices, const std::string &text, NoticeLevel level) { notices.notify(Notice{text, level}); }

std::string entryName(const JournalEntry &entry)
{
    if (entry.source == journal_source::kFixData)
        return "fixed data no. " + entry.position;
    return "carrier ID " + entry.shownCarrierId();
}

std::string alreadyProgrammedText(const JournalEntry &programmed)
{
    return "This transponder already carries " + entryName(programmed) + " (programmed " + programmed.finishedAt +
           ", set " + programmed.setName + ").\r\nNothing was written. Put the next transponder on the antenna.";
}

std::string spoiledTransponderText(const JournalEntry &spoiled)
{
    return "This transponder cannot be programmed: a page of it is locked with other data than " +
           entryName(spoiled) + " (set " + spoiled.setName + ", " + spoiled.finishedAt +
           ").\r\nNothing was written. Put it aside and put the next transponder on the antenna.";
}

std::string spoiledFailureText(int page)
{
    return "this transponder cannot be programmed: page " + std::to_string(page) + " is locked with other data";
}

std::string spoiledNowText(const JournalEntry &entry, int page)
{
    return "This transponder cannot be programmed: page " + std::to_string(page) +
           " is locked with other data.\r\nIts " + entryName(entry) +
           " stays held for good and is given to no other transponder. Put it aside.";
}

std::string readBackFailedText(const std::string &failure)
{
    return "The transponder is not confirmed: " + failure +
           ".\r\nIts carrier ID stays held. Put that transponder back on the antenna and press \"One\" to finish its cycle.";
}

std::string takenMeanwhileText(std::string_view carrierId)
{
    return "Carrier ID " + std::string(carrierId) +
           " was just taken for another transponder.\r\nNothing was written. Press \"One\" again for the next one.";
}

std::string pagesTakenMeanwhileText(std::string_view carrierId)
{
    return "Another transponder already carries the bytes that carrier ID " + std::string(carrierId) +
           " puts into pages 1 and 2.\r\nNothing was written. Press \"One\" again for the next one.";
}

std::string journalUnavailableText(std::string_view problem)
{
    return std::string(problem) + "\r\nNo transponder is programmed until the journal can be used.";
}

std::string journalFailedText(std::string_view problem)
{
    return std::string(problem) + "\r\nNo transponder was programmed.";
}

std::string confirmationFailedText(std::string_view problem)
{
    return std::string(problem) +
           "\r\nThe transponder is programmed, but not yet confirmed in the journal: its carrier ID stays held, and "
           "the confirmation is written as soon as the journal can be reached.";
}

std::string endNotWrittenText(std::string_view problem)
{
    return std::string(problem) +
           "\r\nThe end of the cycle is written as soon as the journal can be reached; until then its carrier ID stays held.";
}

std::string interruptedCyclesText(const std::vector<JournalEntry> &interrupted)
{
    std::string text = "These cycles were cut off before they ended. Their carrier IDs stay held:\r\n";
    for (const JournalEntry &entry : interrupted)
        text += entryName(entry) + " on " + uidName(entry) + " (set " + entry.setName + ", " + entry.reservedAt + ")\r\n";
    return text + "Put such a transponder back and press \"One\" to finish its cycle.";
}

std::string manualCarrierIdQuestion(const JournalEntry &holder, const std::string &uid)
{
    const std::string target = uid.empty() ? std::string("this transponder (its UID could not be read)")
                                            : "this transponder (UID " + uid + ")";
    return "Carrier ID " + holder.shownCarrierId() + " is already on " + uidName(holder) + " (" +
           std::string(stateName(holder.state)) + " " + holder.reservedAt + ", set " + holder.setName +
           ").\r\nTwo carriers with one ID mis-route wafers.\r\nWrite it to " + target + " as well?";
}

std::string carrierIdIssuedText(const JournalEntry &holder)
{
    return "Carrier ID " + holder.shownCarrierId() + " was already issued: to " + uidName(holder) + " at " +
           holder.reservedAt + " (set " + holder.setName + ", " + std::string(stateName(holder.state)) +
           ").\r\n\"next\" stays where it was.";
}

std::string counterValueWrittenText(std::string_view typed, std::string_view runNext)
{
    return "Counter value " + std::string(typed) + " was already written on a transponder of this set.\r\n"
           "The counter page goes on at " + std::string(runNext) + ".";
}

} // namespace teb
