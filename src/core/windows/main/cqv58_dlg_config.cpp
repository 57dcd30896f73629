// "Config": the parameter set editor, and the take-over of what it returns.
#include "windows/main/cqv58_dlg.h"

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

void CQV58Dlg::runConfig()
{
    takeFromControls();
    m_job.savedInEditor = false;
    const ConfigEditorInput input = editorInput(m_job, m_pages.state().asciiFormat);
    CAutoDlg editor(input);
    m_dialogs.runCAutoDlg(editor);
    const ConfigEditorResult &result = editor.result();
    if (!result.accepted)
        return;
    takeOverEditorResult(input, result);

    m_pages.showFormatSwitches();
    m_pages.selectCarrierIdPages();
    m_pages.showSet();
    m_job.jobHeaderPending = true;

    m_pages.setAutomaticMode(true);
    m_pages.showModeSwitches();
    showInControls();
    refreshModeView();
    m_view.setTextColour(Control::SetNameLabel, colour::White);
    m_view.setBackground(Control::SetNameLabel, colour::Black);
    m_pages.requestFocusOnFirstEditablePage();
}

void CQV58Dlg::takeOverEditorResult(const ConfigEditorInput &input, const ConfigEditorResult &result)
{
    m_job.currentSetName = result.currentSetName;
    m_job.setList = result.setList;
    m_job.currentSet = result.set;
    m_pages.setAsciiFormat(result.asciiFormat);
    m_job.savedInEditor = result.saved;
    // A carrier ID or counter value typed in the editor is the operator's
    // choice; left alone, the set goes on from what the journal holds. An
    // issued carrier ID, or a counter page value the set's run has written,
    // is never taken back.
    const ParameterSet edited = m_job.currentSet;
    resumeFromJournal();
    if (edited.carrierId != input.carrierId) {
        const auto chosen = countedNumber(edited.carrierId);
        const bool refused = m_job.currentSet.useDecimalCounter && chosen && carrierIdIssued(*chosen);
        m_job.currentSet.carrierId = refused ? input.carrierId : edited.carrierId;
    }
    if (edited.counterValue != input.counterValue)
        takeTypedCounterValue(edited.counterValue);
    m_job.nextCarrierId = m_job.currentSet.carrierId;
    if (m_job.savedInEditor)
        startFixedDataJob();
    if (m_job.savedInEditor)
        m_job.carrierIdMax = lastOfWorkOrder(m_job.nextCarrierId, m_job.currentSet.quantity);
}

// The run goes on from the journal's last value; a typed value behind it
// would write its serials a second time.
void CQV58Dlg::takeTypedCounterValue(const std::string &typed)
{
    const std::string &runNext = m_job.currentSet.counterValue;
    if (counterPageNumber(m_job.currentSet.counterPage) && counterPageValueBehind(typed, m_job.counterStart, runNext)) {
        showMessage(counterValueWrittenText(typed, runNext), kWindowTitle, MessageIcon::Warning);
        return;
    }
    m_job.currentSet.counterValue = typed;
}


} // namespace teb
