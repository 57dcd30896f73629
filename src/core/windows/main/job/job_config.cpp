// "Config" as the job takes it: the editor opened with the job's values, and
// what it returns taken over with the journal's word on it.
#include "windows/main/job/job_part.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/cycle_messages.h"
#include "params/counter_page.h"
#include "common/decimal_text.h"
#include "params/parameter_set_file.h"

#include <limits>

namespace teb {
namespace {

ConfigEditorInput editorInput(const JobState &w, bool asciiFormat)
{
    ConfigEditorInput input;
    input.workingDirectory = w.workingDirectory;
    input.currentSetName = w.currentSetName;
    input.setList = w.setList;
    input.carrierId = w.nextCarrierId;
    input.counterValue = w.currentSet.counterValue;
    input.counterPage = w.currentSet.counterPage;
    input.alignment = w.currentSet.alignment;
    input.useCsvFile = w.currentSet.useCsvFile;
    input.csvFileName = w.currentSet.csvFileName;
    input.logEnabled = w.currentSet.logEnabled;
    input.recordFileName = w.currentSet.recordFileName;
    input.asciiFormat = asciiFormat;
    return input;
}

// "max" for a work order of `quantity` transponders from `next`: the last
// carrier ID it programs. A quantity of 0 (or a negative one) programs
// nothing, so "max" lies below "next"; the sum never wraps past the largest
// number into a small one.
std::string lastOfWorkOrder(const std::string &next, const std::string &quantity)
{
    const std::uint64_t first = readCounter(next);
    const std::uint64_t count = readCounter(quantity);
    if (count == 0)
        return formatUnsigned64(first == 0 ? 0 : first - 1u);
    const std::uint64_t room = std::numeric_limits<std::uint64_t>::max() - 1u - first;
    return formatUnsigned64(first + std::min(count - 1u, room));
}

} // namespace

std::optional<bool> JobPart::runConfig(bool asciiFormat)
{
    m_state.savedInEditor = false;
    const ConfigEditorInput input = editorInput(m_state, asciiFormat);
    CAutoDlg editor(input);
    m_dialogs.runCAutoDlg(editor);
    const ConfigEditorResult &result = editor.result();
    if (!result.accepted)
        return std::nullopt;
    takeOverEditorResult(input, result);
    m_state.jobHeaderPending = true;
    return result.asciiFormat;
}

void JobPart::takeOverEditorResult(const ConfigEditorInput &input, const ConfigEditorResult &result)
{
    m_state.currentSetName = result.currentSetName;
    m_state.setList = result.setList;
    m_state.currentSet = result.set;
    m_state.savedInEditor = result.saved;
    // A carrier ID or counter value typed in the editor is the operator's
    // choice; left alone, the set goes on from what the journal holds. An
    // issued carrier ID, or a counter page value the set's run has written,
    // is never taken back.
    const ParameterSet edited = m_state.currentSet;
    resumeFromJournal();
    if (edited.carrierId != input.carrierId) {
        const auto chosen = countedNumber(edited.carrierId);
        const bool refused = m_state.currentSet.useDecimalCounter && chosen && carrierIdIssued(*chosen);
        m_state.currentSet.carrierId = refused ? input.carrierId : edited.carrierId;
    }
    if (edited.counterValue != input.counterValue)
        takeTypedCounterValue(edited.counterValue);
    m_state.nextCarrierId = m_state.currentSet.carrierId;
    if (m_state.savedInEditor)
        startFixedDataJob();
    if (m_state.savedInEditor)
        m_state.carrierIdMax = lastOfWorkOrder(m_state.nextCarrierId, m_state.currentSet.quantity);
}

// The run goes on from the journal's last value; a typed value behind it
// would write its serials a second time.
void JobPart::takeTypedCounterValue(const std::string &typed)
{
    const std::string &runNext = m_state.currentSet.counterValue;
    if (counterPageNumber(m_state.currentSet.counterPage) && counterPageValueBehind(typed, m_state.counterStart, runNext)) {
        showMessage(counterValueWrittenText(typed, runNext), MessageIcon::Warning);
        return;
    }
    m_state.currentSet.counterValue = typed;
}

// A "Config" take-over starts a new fixed-data job: its count begins at 0.
void JobPart::startFixedDataJob()
{
    m_state.programmedCount = 0;
    if (!m_state.journal)
        return;
    m_state.fixedJob = askJournal([&] { return m_state.journal->startJob(m_state.currentSetName); }).valueOr(m_state.fixedJob);
}

} // namespace teb
