// The carrier-ID journal as the job uses it: opened at start-up, the
// progress of the current set read from it, the cycles cut off shown once.
#include "windows/main/job/job_part.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/cycle_messages.h"
#include "automatic/journal_takeover.h"
#include "common/decimal_text.h"
#include "history/missing_records.h"
#include "params/parameter_set_file.h"
#include "params/profile_file.h"
#include "params/station_settings.h"

#include <unistd.h>

namespace teb {
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

bool JobPart::tryOpenJournal()
{
    m_state.journal.reset();
    m_state.journalProblem.clear();
    m_state.pendingHold.clear();
    if (m_state.workingDirectory.empty()) {
        m_state.journalProblem = "The carrier-ID journal has no working folder to live in.";
        return false;
    }
    if (m_state.journalServerCut) {
        m_state.journalProblem = serverSettingCutText();
        return false;
    }
    try {
        const std::string station = m_state.stationName.empty() ? defaultStationName(m_state.workingDirectory) : m_state.stationName;
        m_state.journal = m_state.journalServer.empty() ? CarrierIdJournal::openFile(journalFilePath(m_state.workingDirectory), station)
                                        : CarrierIdJournal::openServer(m_state.journalServer, station);
        m_state.pendingHold = takeOverPendingMark(*m_state.journal, m_state.workingDirectory).value_or("");
        markProgrammedRows(*m_state.journal); // a programmed row still without its "X", whichever set is current
        return true;
    } catch (const JournalError &error) {
        m_state.journal.reset();
        m_state.journalProblem = error.what();
        return false;
    }
}

void JobPart::openJournal()
{
    if (!tryOpenJournal())
        showMessage(journalUnavailableText(m_state.journalProblem), MessageIcon::Stop);
    else if (!m_state.pendingHold.empty())
        showMessage(m_state.pendingHold, MessageIcon::Warning);
}

// "One" and the journal window: a journal that could not be opened at
// start-up (the server came up after the station) is opened now, and files
// that held something back are looked at again. The cycle's own refusal
// tells what is still missing.
void JobPart::reopenJournalWhenClosed()
{
    if (!m_state.journal) {
        if (!tryOpenJournal())
            return;
        resumeSet();
        showInterruptedCycles(); // what the start-up could not close
        showMissingRecords();
        return;
    }
    try {
        if (!m_state.pendingHold.empty()) {
            m_state.pendingHold = takeOverPendingMark(*m_state.journal, m_state.workingDirectory).value_or("");
            if (m_state.pendingHold.empty())
                markProgrammedRows(*m_state.journal);
        }
    } catch (const JournalError &error) {
        m_state.pendingHold = error.what();
    }
    if (!m_state.progressHold.empty())
        resumeSet();
}

// Only the cycles this start closed: each is listed once, at the first start
// after it was cut off, and another station's cycles never.
void JobPart::showInterruptedCycles()
{
    if (!m_state.journal)
        return;
    const auto closed = askJournal([&] { return m_state.journal->closeInterruptedCycles(); });
    if (closed && !closed->empty())
        showMessage(interruptedCyclesText(*closed), MessageIcon::Warning);
}

// Named at every start until "Write record file..." has written them.
void JobPart::showMissingRecords()
{
    if (!m_state.journal)
        return;
    const auto missing = askJournal([&] {
        return findMissingRecords(*m_state.journal, m_state.workingDirectory,
                                  [this](const std::string &name) { return loadParameterSet(m_state.workingDirectory, name); });
    });
    if (missing && !missing->empty())
        showMessage(missingRecordsText(*missing), MessageIcon::Warning);
}

// A set has just become the current set: "next" is the first carrier ID at
// or after its start that the journal has not issued, the counter page goes
// on from the set's last cycle, the fixed-data count from its job.
void JobPart::resumeFromJournal()
{
    resumeSet();
    if (!m_state.progressHold.empty())
        showMessage(m_state.progressHold, MessageIcon::Warning);
}

void JobPart::resumeSet()
{
    const ParameterSet saved = loadParameterSet(m_state.workingDirectory, m_state.currentSetName);
    m_state.counterStart = saved.counterValue;
    m_state.csvSource = CsvSourceState{};
    m_state.programmedCount = 0;
    m_state.programmedInSet = 0;
    m_state.progressHold.clear();
    m_state.nextCarrierId = m_state.currentSet.carrierId;
    if (!m_state.journal)
        return;
    (void)askJournal([&] {
        m_state.programmedInSet = m_state.journal->programmedCountOfSet(m_state.currentSetName);
        if (isValidSetName(m_state.currentSetName))
            m_state.progressHold =
                takeOverProgressFile(*m_state.journal, m_state.workingDirectory, m_state.currentSetName, saved).value_or("");
        if (const auto last = m_state.journal->lastCounterPageValue(m_state.currentSetName, m_state.counterStart);
            last && counterPageNumber(m_state.currentSet.counterPage))
            m_state.currentSet.counterValue = nextCounterPageValue(readCounter(*last));
        m_state.fixedJob = m_state.journal->currentJob(m_state.currentSetName);
        m_state.programmedCount = m_state.journal->fixedDataCount(m_state.currentSetName, m_state.fixedJob);
        const auto start = countedNumber(m_state.currentSet.carrierId);
        if (m_state.currentSet.useDecimalCounter && start)
            m_state.currentSet.carrierId = formatUnsigned64(
                m_state.journal->firstFreeNumber(*start, carrierIdLengthOf(m_state.currentSet)));
    });
    m_state.nextCarrierId = m_state.currentSet.carrierId;
}

// "next" moved by hand: a carrier ID that a transponder holds is refused.
bool JobPart::carrierIdIssued(std::uint64_t value)
{
    if (!m_state.journal)
        return false;
    const auto holder =
        askJournal([&] { return m_state.journal->holderOf(zeroPadded(value, carrierIdLengthOf(m_state.currentSet))); });
    if (!holder)
        return true;
    if (*holder)
        showMessage(carrierIdIssuedText(**holder), MessageIcon::Warning);
    return holder->has_value();
}

// The spin arrow's way up: past every carrier ID that a transponder holds.
std::string JobPart::freeCarrierIdFrom(std::uint64_t value)
{
    const auto free = askJournal([&] { return m_state.journal->firstFreeNumber(value, carrierIdLengthOf(m_state.currentSet)); });
    return formatUnsigned64(free && *free <= counterLimit(m_state.currentSet.carrierIdLength) ? *free : value);
}

CarrierIdJournal &JobPart::journal()
{
    if (!m_state.journal)
        throw JournalError(m_state.journalProblem);
    return *m_state.journal;
}

bool JobPart::transponderDone(const std::string &uid) const
{
    if (!m_state.journal)
        return false;
    const TransponderHistory history = m_state.journal->historyOf(uid);
    return !history.unfinished && (history.programmed || history.spoiled);
}

void JobPart::showJournal()
{
    reopenJournalWhenClosed();
    if (!m_state.journal) {
        showMessage(journalUnavailableText(m_state.journalProblem), MessageIcon::Stop);
        return;
    }
    CJournalDlg history(
        *m_state.journal, m_state.workingDirectory, m_state.currentSetName,
        [this](const std::string &setName) { return loadParameterSet(m_state.workingDirectory, setName); },
        [this] { return checkTransponder(); });
    m_dialogs.runCJournalDlg(history);
}

// A file that could not be taken over holds back what it may name: the
// cycle refuses with its message, as with a journal that cannot be used.
CycleJournal JobPart::cycleJournal() const
{
    CycleJournal journal{m_state.journal != nullptr, m_state.journalProblem, m_state.currentSetName, m_state.counterStart,
                         m_state.fixedJob, !m_state.journalServer.empty(), m_state.readBackAllPages};
    const bool csvSource = m_state.currentSet.useCsvFile || m_state.currentSet.csvFileComplete;
    if (journal.open && !m_state.progressHold.empty()) {
        journal.open = false;
        journal.problem = m_state.progressHold;
    } else if (journal.open && csvSource && !m_state.pendingHold.empty()) {
        journal.open = false;
        journal.problem = m_state.pendingHold;
    }
    return journal;
}

} // namespace teb
