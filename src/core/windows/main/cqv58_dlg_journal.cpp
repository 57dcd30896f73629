// The carrier-ID journal as the main window uses it: opened at start-up, the
// progress of the current set read from it, the cycles cut off shown once.
#include "windows/main/cqv58_dlg.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/automatic_messages.h"
#include "automatic/cycle_messages.h"
#include "automatic/entry_pages.h"
#include "automatic/journal_takeover.h"
#include "common/decimal_text.h"
#include "history/missing_records.h"
#include "params/parameter_set_file.h"
#include "params/profile_file.h"
#include "params/station_settings.h"

#include <unistd.h>

namespace teb {

template <typename Call>
auto CQV58Dlg::askJournal(Call &&call)
{
    auto result = journalResult(std::forward<Call>(call));
    if (!result)
        showMessage(result.error(), kWindowTitle, MessageIcon::Stop);
    return result;
}

namespace {

// Host name and working folder: which station wrote an entry.
std::string defaultStationName(const std::filesystem::path &directory)
{
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) != 0)
        host[0] = '\0';
    return std::string(host) + ":" + directory.string();
}

// The digits a decimal counter's carrier ID is padded to.
std::size_t carrierIdLengthOf(const ParameterSet &set)
{
    return static_cast<std::size_t>(std::max(0, readDecimal(set.carrierIdLength)));
}

// A value cut to the reader's limit would name another server or login.
std::string serverSettingCutText()
{
    return "The carrier-ID journal is not opened: the Server setting in the [Journal] section of " +
           std::string(kSettingsFileName) + " holds " + std::to_string(ProfileDocument::kMaxValueLength) +
           " characters or more, and longer values are cut when read.\r\nShorten it, for example with a service "
           "entry in pg_service.conf (Server=service=teb).";
}

} // namespace

bool CQV58Dlg::tryOpenJournal()
{
    m_job.journal.reset();
    m_job.journalProblem.clear();
    m_job.pendingHold.clear();
    if (m_job.workingDirectory.empty()) {
        m_job.journalProblem = "The carrier-ID journal has no working folder to live in.";
        return false;
    }
    if (m_job.journalServerCut) {
        m_job.journalProblem = serverSettingCutText();
        return false;
    }
    try {
        const std::string station = m_job.stationName.empty() ? defaultStationName(m_job.workingDirectory) : m_job.stationName;
        m_job.journal = m_job.journalServer.empty() ? CarrierIdJournal::openFile(journalFilePath(m_job.workingDirectory), station)
                                        : CarrierIdJournal::openServer(m_job.journalServer, station);
        m_job.pendingHold = takeOverPendingMark(*m_job.journal, m_job.workingDirectory).value_or("");
        markProgrammedRows(*m_job.journal); // a programmed row still without its "X", whichever set is current
        return true;
    } catch (const JournalError &error) {
        m_job.journal.reset();
        m_job.journalProblem = error.what();
        return false;
    }
}

void CQV58Dlg::openJournal()
{
    if (!tryOpenJournal())
        showMessage(journalUnavailableText(m_job.journalProblem), kWindowTitle, MessageIcon::Stop);
    else if (!m_job.pendingHold.empty())
        showMessage(m_job.pendingHold, kWindowTitle, MessageIcon::Warning);
}

// "One" and the journal window: a journal that could not be opened at
// start-up (the server came up after the station) is opened now, and files
// that held something back are looked at again. The cycle's own refusal
// tells what is still missing.
void CQV58Dlg::reopenJournalWhenClosed()
{
    if (!m_job.journal) {
        if (!tryOpenJournal())
            return;
        resumeSet();
        showInterruptedCycles(); // what the start-up could not close
        showMissingRecords();
        return;
    }
    try {
        if (!m_job.pendingHold.empty()) {
            m_job.pendingHold = takeOverPendingMark(*m_job.journal, m_job.workingDirectory).value_or("");
            if (m_job.pendingHold.empty())
                markProgrammedRows(*m_job.journal);
        }
    } catch (const JournalError &error) {
        m_job.pendingHold = error.what();
    }
    if (!m_job.progressHold.empty())
        resumeSet();
}

// Only the cycles this start closed: each is listed once, at the first start
// after it was cut off, and another station's cycles never.
void CQV58Dlg::showInterruptedCycles()
{
    if (!m_job.journal)
        return;
    const auto closed = askJournal([&] { return m_job.journal->closeInterruptedCycles(); });
    if (closed && !closed->empty())
        showMessage(interruptedCyclesText(*closed), kWindowTitle, MessageIcon::Warning);
}

// Named at every start until "Write record file..." has written them.
void CQV58Dlg::showMissingRecords()
{
    if (!m_job.journal)
        return;
    const auto missing = askJournal([&] {
        return findMissingRecords(*m_job.journal, m_job.workingDirectory,
                                  [this](const std::string &name) { return loadParameterSet(m_job.workingDirectory, name); });
    });
    if (missing && !missing->empty())
        showMessage(missingRecordsText(*missing), kWindowTitle, MessageIcon::Warning);
}

// A set has just become the current set: "next" is the first carrier ID at
// or after its start that the journal has not issued, the counter page goes
// on from the set's last cycle, the fixed-data count from its job.
void CQV58Dlg::resumeFromJournal()
{
    resumeSet();
    if (!m_job.progressHold.empty())
        showMessage(m_job.progressHold, kWindowTitle, MessageIcon::Warning);
}

void CQV58Dlg::resumeSet()
{
    const ParameterSet saved = loadParameterSet(m_job.workingDirectory, m_job.currentSetName);
    m_job.counterStart = saved.counterValue;
    m_job.csvSource = CsvSourceState{};
    m_job.programmedCount = 0;
    m_job.programmedInSet = 0;
    m_job.progressHold.clear();
    m_job.nextCarrierId = m_job.currentSet.carrierId;
    if (!m_job.journal)
        return;
    (void)askJournal([&] {
        m_job.programmedInSet = m_job.journal->programmedCountOfSet(m_job.currentSetName);
        if (isValidSetName(m_job.currentSetName))
            m_job.progressHold =
                takeOverProgressFile(*m_job.journal, m_job.workingDirectory, m_job.currentSetName, saved).value_or("");
        if (const auto last = m_job.journal->lastCounterPageValue(m_job.currentSetName, m_job.counterStart);
            last && counterPageNumber(m_job.currentSet.counterPage))
            m_job.currentSet.counterValue = nextCounterPageValue(readCounter(*last));
        m_job.fixedJob = m_job.journal->currentJob(m_job.currentSetName);
        m_job.programmedCount = m_job.journal->fixedDataCount(m_job.currentSetName, m_job.fixedJob);
        const auto start = countedNumber(m_job.currentSet.carrierId);
        if (m_job.currentSet.useDecimalCounter && start)
            m_job.currentSet.carrierId = formatUnsigned64(
                m_job.journal->firstFreeNumber(*start, carrierIdLengthOf(m_job.currentSet)));
    });
    m_job.nextCarrierId = m_job.currentSet.carrierId;
}

// "next" moved by hand: a carrier ID that a transponder holds is refused.
bool CQV58Dlg::carrierIdIssued(std::uint64_t value)
{
    if (!m_job.journal)
        return false;
    const auto holder =
        askJournal([&] { return m_job.journal->holderOf(zeroPadded(value, carrierIdLengthOf(m_job.currentSet))); });
    if (!holder)
        return true;
    if (*holder)
        showMessage(carrierIdIssuedText(**holder), kWindowTitle, MessageIcon::Warning);
    return holder->has_value();
}

// The spin arrow's way up: past every carrier ID that a transponder holds.
std::string CQV58Dlg::freeCarrierIdFrom(std::uint64_t value)
{
    const auto free = askJournal([&] { return m_job.journal->firstFreeNumber(value, carrierIdLengthOf(m_job.currentSet)); });
    return formatUnsigned64(free && *free <= counterLimit(m_job.currentSet.carrierIdLength) ? *free : value);
}

// A "Config" take-over starts a new fixed-data job: its count begins at 0.
void CQV58Dlg::startFixedDataJob()
{
    m_job.programmedCount = 0;
    if (!m_job.journal)
        return;
    m_job.fixedJob = askJournal([&] { return m_job.journal->startJob(m_job.currentSetName); }).valueOr(m_job.fixedJob);
}

// Before a manual carrier-ID write: a journal, the transponder's UID, and the
// operator's Yes for a carrier ID that another transponder holds (No is the
// default). False, after its message, when nothing may be written.
bool CQV58Dlg::prepareManualCarrierId(ManualCarrierIdWrite &manual)
{
    reopenJournalWhenClosed();
    if (!m_job.journal) {
        showMessage(journalUnavailableText(m_job.journalProblem), kWindowTitle, MessageIcon::Stop);
        return false;
    }
    readUid();
    if (m_run.errorCount != 0 || m_pages.state().uidText.empty()) {
        showMessage(std::string(notice::kUidNotRead.text), kWindowTitle, MessageIcon::Stop);
        return false;
    }
    manual.uid = m_pages.state().uidText;
    const auto asked = askJournal([&] { return m_job.journal->holderOf(manual.carrierId); });
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
CarrierIdReservation CQV58Dlg::manualReservation(ManualCarrierIdWrite &manual)
{
    if (manual.uid.empty())
        return {};
    return [this, &manual](const PageCells &cells, const PageFlagArray &pages) {
        JournalEntry entry;
        entry.carrierId = manual.carrierId;
        entry.setName = m_job.currentSetName;
        entry.source = std::string(journal_source::kManual);
        entry.position = "manual";
        entry.uid = manual.uid;
        storeEntryPages(entry, EntryPages{cells, pages, {}});
        try {
            manual.entry = m_job.journal->reserve(entry, !manual.shared);
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
void CQV58Dlg::concludeManualCarrierId(const ManualCarrierIdWrite &manual, const CarrierIdWrite &write)
{
    const CycleState state = write.written      ? CycleState::Programmed
                             : write.reachedTag ? CycleState::Uncertain
                                                : CycleState::Failed;
    try {
        m_job.journal->finish(manual.entry.id, state);
    } catch (const JournalError &error) {
        showMessage(state == CycleState::Programmed ? confirmationFailedText(error.what()) : endNotWrittenText(error.what()),
                    kWindowTitle, MessageIcon::Stop);
    }
}

void CQV58Dlg::showJournal()
{
    reopenJournalWhenClosed();
    if (!m_job.journal) {
        showMessage(journalUnavailableText(m_job.journalProblem), kWindowTitle, MessageIcon::Stop);
        return;
    }
    CJournalDlg history(
        *m_job.journal, m_job.workingDirectory, m_job.currentSetName,
        [this](const std::string &setName) { return loadParameterSet(m_job.workingDirectory, setName); },
        [this] { return checkTransponder(); });
    m_dialogs.runCJournalDlg(history);
}

// A file that could not be taken over holds back what it may name: the
// cycle refuses with its message, as with a journal that cannot be used.
CycleJournal CQV58Dlg::cycleJournal() const
{
    CycleJournal journal{m_job.journal != nullptr, m_job.journalProblem, m_job.currentSetName, m_job.counterStart,
                         m_job.fixedJob, !m_job.journalServer.empty(), m_job.readBackAllPages};
    const bool csvSource = m_job.currentSet.useCsvFile || m_job.currentSet.csvFileComplete;
    if (journal.open && !m_job.progressHold.empty()) {
        journal.open = false;
        journal.problem = m_job.progressHold;
    } else if (journal.open && csvSource && !m_job.pendingHold.empty()) {
        journal.open = false;
        journal.problem = m_job.pendingHold;
    }
    return journal;
}

} // namespace teb
