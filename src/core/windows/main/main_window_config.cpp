// "Config": the parameter set editor, and the take-over of what it returns.
#include "windows/main/cqv58_dlg.h"

#include "automatic/counter_arithmetic.h"
#include "common/decimal_text.h"
#include "params/parameter_set_file.h"

#include <limits>

namespace teb {
namespace {

ConfigEditorInput editorInput(const CQV58Dlg &w)
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
    input.asciiFormat = w.asciiFormat;
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
    savedInEditor = false;
    const ConfigEditorInput input = editorInput(*this);
    CAutoDlg editor(input);
    m_dialogs.runConfigDialog(editor);
    const ConfigEditorResult &result = editor.result();
    if (!result.accepted)
        return;
    takeOverEditorResult(input, result);

    showFormatSwitches();
    pageSelected[0] = pageSelected[1] = true;
    for (std::size_t i = 2; i < pageSelected.size(); ++i)
        pageSelected[i] = currentSet.writePages3To17;
    selectAll = currentSet.writePages3To17;
    rebuildPageTextsFromSet();
    jobHeaderPending = true;

    automaticMode = true;
    showModeSwitches();
    showInControls();
    refreshModeView();
    m_view.setTextColour(Control::SetNameLabel, colour::White);
    m_view.setBackground(Control::SetNameLabel, colour::Black);
    requestFocusOnFirstEditablePage();
}

void CQV58Dlg::takeOverEditorResult(const ConfigEditorInput &input, const ConfigEditorResult &result)
{
    currentSetName = result.currentSetName;
    setList = result.setList;
    currentSet = result.set;
    asciiFormat = result.asciiFormat;
    savedInEditor = result.saved;
    // A carrier ID or counter value typed in the editor is the operator's
    // choice; left alone, the set goes on from what the journal holds. An
    // issued carrier ID is never taken back.
    const bool typed = currentSet.carrierId != input.carrierId || currentSet.counterValue != input.counterValue;
    const ParameterSet edited = currentSet;
    resumeFromJournal();
    if (typed) {
        const auto chosen = countedNumber(edited.carrierId);
        const bool refused = currentSet.useDecimalCounter && chosen && carrierIdIssued(*chosen);
        currentSet.carrierId = refused ? input.carrierId : edited.carrierId;
        currentSet.counterValue = edited.counterValue;
        counterStart = edited.counterValue;
        nextCarrierId = currentSet.carrierId;
    }
    if (savedInEditor)
        startFixedDataJob();
    if (savedInEditor)
        carrierIdMax = lastOfWorkOrder(nextCarrierId, currentSet.quantity);
}

void CQV58Dlg::requestFocusOnFirstEditablePage()
{
    for (std::size_t i = 0; i < currentSet.pages.size(); ++i) {
        if (currentSet.pages[i].editable) {
            pageFocusRequest[i] = true;
            return;
        }
    }
}

} // namespace teb
