// The carrier-ID journal as the main window uses it: opened at start-up, the
// progress of the current set read from it, the cycles cut off shown once.
#include "windows/main/cqv58_dlg.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/cycle_messages.h"
#include "automatic/journal_takeover.h"
#include "common/decimal_text.h"
#include "params/parameter_set_file.h"

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

} // namespace

void CQV58Dlg::openJournal()
{
    journal.reset();
    journalProblem.clear();
    if (workingDirectory.empty()) {
        journalProblem = "The carrier-ID journal has no working folder to live in.";
        return;
    }
    try {
        const std::string station = stationName.empty() ? defaultStationName(workingDirectory) : stationName;
        journal = journalServer.empty() ? CarrierIdJournal::openFile(journalFilePath(workingDirectory), station)
                                        : CarrierIdJournal::openServer(journalServer, station);
        if (const auto damagedPending = takeOverPendingMark(*journal, workingDirectory))
            showMessage(*damagedPending, kWindowTitle, MessageIcon::Warning);
        markProgrammedRows(*journal); // a programmed row still without its "X", whichever set is current
    } catch (const JournalError &error) {
        journal.reset();
        journalProblem = error.what();
        showMessage(journalUnavailableText(journalProblem), kWindowTitle, MessageIcon::Stop);
    }
}

void CQV58Dlg::showInterruptedCycles()
{
    if (!journal)
        return;
    try {
        journal->closeInterruptedCycles();
        const std::vector<JournalEntry> open = journal->unfinished();
        if (!open.empty())
            showMessage(interruptedCyclesText(open), kWindowTitle, MessageIcon::Warning);
    } catch (const JournalError &error) {
        showMessage(error.what(), kWindowTitle, MessageIcon::Stop);
    }
}

// A set has just become the current set: "next" is the first carrier ID at
// or after its start that the journal has not issued, the counter page goes
// on from the set's last cycle, the fixed-data count from its job.
void CQV58Dlg::resumeFromJournal()
{
    const ParameterSet saved = loadParameterSet(workingDirectory, currentSetName);
    counterStart = saved.counterValue;
    csvSource = CsvSourceState{};
    programmedCount = 0;
    programmedInSet = 0;
    nextCarrierId = currentSet.carrierId;
    if (!journal)
        return;
    try {
        programmedInSet = journal->programmedOfSet(currentSetName).size();
        if (isValidSetName(currentSetName))
            takeOverProgressFile(*journal, workingDirectory, currentSetName, saved);
        if (const auto last = journal->lastCounterPageValue(currentSetName, counterStart);
            last && counterPageNumber(currentSet.counterPage))
            currentSet.counterValue = nextCounterPageValue(readCounter(*last));
        fixedJob = journal->currentJob(currentSetName);
        programmedCount = journal->fixedDataCount(currentSetName, fixedJob);
        const auto start = countedNumber(currentSet.carrierId);
        if (currentSet.useDecimalCounter && start)
            currentSet.carrierId = formatUnsigned64(
                journal->firstFreeNumber(*start, carrierIdLengthOf(currentSet)));
    } catch (const JournalError &error) {
        showMessage(error.what(), kWindowTitle, MessageIcon::Stop);
    }
    nextCarrierId = currentSet.carrierId;
}

// "next" moved by hand: a carrier ID that a transponder holds is refused.
bool CQV58Dlg::carrierIdIssued(std::uint64_t value)
{
    if (!journal)
        return false;
    try {
        if (const auto holder = journal->holderOf(zeroPadded(value, carrierIdLengthOf(currentSet)))) {
            showMessage(carrierIdIssuedText(*holder), kWindowTitle, MessageIcon::Warning);
            return true;
        }
    } catch (const JournalError &error) {
        showMessage(error.what(), kWindowTitle, MessageIcon::Stop);
        return true;
    }
    return false;
}

// The spin arrow's way up: past every carrier ID that a transponder holds.
std::string CQV58Dlg::freeCarrierIdFrom(std::uint64_t value)
{
    try {
        const std::uint64_t free = journal->firstFreeNumber(value, carrierIdLengthOf(currentSet));
        return formatUnsigned64(free <= counterLimit(currentSet.carrierIdLength) ? free : value);
    } catch (const JournalError &error) {
        showMessage(error.what(), kWindowTitle, MessageIcon::Stop);
        return formatUnsigned64(value);
    }
}

// A "Config" take-over starts a new fixed-data job: its count begins at 0.
void CQV58Dlg::startFixedDataJob()
{
    programmedCount = 0;
    if (!journal)
        return;
    try {
        fixedJob = journal->startJob(currentSetName);
    } catch (const JournalError &error) {
        showMessage(error.what(), kWindowTitle, MessageIcon::Stop);
    }
}

// The question before a carrier ID that another transponder holds goes onto
// this one; false when the operator says No (the default) or the journal
// cannot tell.
bool CQV58Dlg::confirmManualCarrierId(const std::string &carrierId, const std::string &uid,
                                      std::optional<JournalEntry> &heldElsewhere)
{
    try {
        heldElsewhere = journal->holderOf(carrierId);
    } catch (const JournalError &error) {
        showMessage(error.what(), kWindowTitle, MessageIcon::Stop);
        return false;
    }
    if (!heldElsewhere || (!uid.empty() && heldElsewhere->uid == uid)) {
        heldElsewhere.reset();
        return true;
    }
    MessageRequest question{manualCarrierIdQuestion(*heldElsewhere, uid), std::string(kWindowTitle),
                            MessageIcon::Question, MessageButtons::YesNo, true};
    return m_dialogs.showMessage(question) == MessageAnswer::Yes;
}

void CQV58Dlg::journalManualCarrierId(const std::string &carrierId, const std::string &uid, bool shared)
{
    JournalEntry entry;
    entry.carrierId = carrierId;
    entry.setName = currentSetName;
    entry.position = "manual";
    entry.uid = uid;
    try {
        journal->recordManualWrite(entry, shared);
    } catch (const JournalError &error) {
        showMessage(confirmationFailedText(error.what()), kWindowTitle, MessageIcon::Stop);
    }
}

void CQV58Dlg::showJournal()
{
    if (!journal) {
        showMessage(journalUnavailableText(journalProblem), kWindowTitle, MessageIcon::Stop);
        return;
    }
    CJournalDlg history(*journal, workingDirectory, currentSetName,
                        [this](const std::string &setName) { return loadParameterSet(workingDirectory, setName); });
    m_dialogs.runJournalDialog(history);
}

CycleJournal CQV58Dlg::cycleJournal() const
{
    return CycleJournal{journal.get(), journalProblem, currentSetName, counterStart, fixedJob};
}

} // namespace teb
