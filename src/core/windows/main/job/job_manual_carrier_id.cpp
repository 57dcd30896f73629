// "write carrier ID" as the journal follows it: the transponder's UID read
// first, the pages reserved before the first write, the read-back deciding
// how the entry ends.
#include "windows/main/job/job_part.h"

#include "automatic/automatic_messages.h"
#include "automatic/cycle_messages.h"
#include "automatic/entry_pages.h"

namespace teb {

// Before a manual carrier-ID write: a journal, the transponder's UID, and the
// operator's Yes for a carrier ID that another transponder holds (No is the
// default). False, after its message, when nothing may be written.
bool JobPart::prepareManualCarrierId(ManualCarrierIdWrite &manual)
{
    reopenJournalWhenClosed();
    if (!m_state.journal) {
        showMessage(journalUnavailableText(m_state.journalProblem), MessageIcon::Stop);
        return false;
    }
    const std::optional<std::string> uid = m_window.readUid();
    if (!uid) {
        showMessage(std::string(notice::kUidNotRead.text), MessageIcon::Stop);
        return false;
    }
    manual.uid = *uid;
    const auto asked = askJournal([&] { return m_state.journal->holderOf(manual.carrierId); });
    if (!asked)
        return false;
    const std::optional<JournalEntry> &holder = *asked;
    if (!holder || holder->uid == manual.uid)
        return true;
    manual.shared = true;
    MessageRequest question{manualCarrierIdQuestion(*holder, manual.uid), std::string(kWindowTitle),
                            MessageIcon::Question, MessageButtons::YesNo, true};
    return m_dialogs.showMessage(question) == MessageAnswer::Yes;
}

// The journal reserves the pages as they are about to be written, with the
// transponder's UID; a reservation that fails writes nothing.
CarrierIdReservation JobPart::manualReservation(ManualCarrierIdWrite &manual)
{
    if (manual.uid.empty())
        return {};
    return [this, &manual](const PageCells &cells, const PageFlagArray &pages) {
        JournalEntry entry;
        entry.carrierId = manual.carrierId;
        entry.setName = m_state.currentSetName;
        entry.source = std::string(journal_source::kManual);
        entry.position = "manual";
        entry.uid = manual.uid;
        storeEntryPages(entry, EntryPages{cells, pages, {}});
        try {
            manual.entry = m_state.journal->reserve(entry, !manual.shared);
            return true;
        } catch (const CarrierIdTaken &) {
            manual.problem = takenMeanwhileText(entry.shownCarrierId());
        } catch (const JournalError &error) {
            manual.problem = journalFailedText(error.what());
        }
        return false;
    };
}

// The read-back decides: the pages as written, programmed; nothing sent or
// refused, failed; anything else may be on the tag, uncertain.
void JobPart::concludeManualCarrierId(const ManualCarrierIdWrite &manual, const CarrierIdWrite &write)
{
    const CycleState state = write.written      ? CycleState::Programmed
                             : write.reachedTag ? CycleState::Uncertain
                                                : CycleState::Failed;
    try {
        m_state.journal->finish(manual.entry.id, state);
    } catch (const JournalError &error) {
        showMessage(state == CycleState::Programmed ? confirmationFailedText(error.what()) : endNotWrittenText(error.what()),
                    MessageIcon::Stop);
    }
}

} // namespace teb
