// The manual group's operations on the transponder, the carrier ID, the
// manual log and the record file, as the main window runs them.
#include "windows/main/cqv58_dlg.h"

#include "windows/main/main_window_operation_report.h"
#include "automatic/automatic_messages.h"
#include "records/record_files.h"
#include "transponder/carrier_id_operations.h"
#include "transponder/page_operations.h"

namespace teb {
// Runs an operation on the page fields and the reader link.
template <typename Operation>
void CQV58Dlg::runOnPages(Operation operation)
{
    MainWindowOperationReport report(m_view, m_dialogs, [this] { showInControls(); });
    PageOperationContext context{ReaderSession{m_readerPort, portHandle, timeBase, terminalText, &m_readerWatch},
                                 portOpen,
                                 PageFields{pageText, hexTextKept, asciiTextKept, pageSelected, asciiFormat, uidText,
                                            pageSucceeded, errorCount},
                                 report};
    operation(context);
}

// --- the manual group's buttons

void CQV58Dlg::readUidClicked()
{
    takeFromControls();
    runOnPages([](PageOperationContext &context) { teb::readUid(context); });
    showInControls();
    sayWhenPortClosed();
}

void CQV58Dlg::readPagesClicked()
{
    takeFromControls();
    const bool withUid = manualTypeOrvex;
    runOnPages([withUid](PageOperationContext &context) { teb::readPages(context, withUid); });
    if (portOpen && manualLog && !automaticMode)
        appendManualLog(records::ManualLogKind::Read);
    showInControls();
    sayWhenPortClosed();
}

void CQV58Dlg::writePagesClicked()
{
    writePages();
    if (portOpen && manualLog && !automaticMode)
        appendManualLog(records::ManualLogKind::Write);
    showInControls();
    sayWhenPortClosed();
}

void CQV58Dlg::lockPagesClicked()
{
    lockPages();
    showInControls();
    sayWhenPortClosed();
}

void CQV58Dlg::writePages()
{
    takeFromControls();
    // In automatic mode the job alone decides the transponder family.
    const bool withUid = currentSet.transponderOrvex || (!automaticMode && manualTypeOrvex);
    runOnPages([withUid](PageOperationContext &context) { teb::writePages(context, withUid); });
    showInControls();
}

std::optional<std::string> CQV58Dlg::readUidForCycle()
{
    runOnPages([](PageOperationContext &context) { teb::readUid(context); });
    showInControls();
    if (errorCount != 0 || uidText.empty())
        return std::nullopt;
    return uidText;
}

// The job decides the family: an Orvex transponder takes writes only right
// after its UID, which must still be the one the carrier ID was reserved for.
PagesWritten CQV58Dlg::writePagesForCycle(const std::string &uid)
{
    takeFromControls();
    const bool withUid = currentSet.transponderOrvex;
    bool reachedTag = false;
    runOnPages([&](PageOperationContext &context) { reachedTag = teb::writePages(context, withUid, uid); });
    showInControls();
    return PagesWritten{errorCount, reachedTag};
}

void CQV58Dlg::lockPages()
{
    takeFromControls();
    PageFlags lockable{};
    for (std::size_t i = 0; i < lockable.size(); ++i)
        lockable[i] = !automaticMode || currentSet.pages[i].locked;
    runOnPages([&lockable](PageOperationContext &context) { teb::lockPages(context, lockable); });
    showInControls();
}

void CQV58Dlg::loadDefaultContent()
{
    takeFromControls();
    pageText = pageDefault;
    asciiFormat = false;
    showFormatSwitches();
    selectAll = true;
    pageSelected.fill(true);
    m_view.setSwitchImage(Control::SelectAll, true);
    for (int page = 1; page <= kPageCount; ++page) {
        m_view.setSwitchImage(pageSelectBox(page), true);
        m_view.setBackground(pageBox(page), colour::White);
    }
    showInControls();
    m_view.repaintWindow();
}

// --- carrier ID

void CQV58Dlg::readCarrierIdClicked()
{
    takeFromControls();
    runOnPages([this](PageOperationContext &context) {
        teb::readCarrierId(context, {manualCarrierIdOffset, manualCarrierIdLength, manualCarrierId});
    });
    keepCarrierIdResult();
    showInControls();
    sayWhenPortClosed();
}

// "write carrier ID": a carrier ID that the journal holds for another
// transponder is written only when the operator says so; a write made is
// journalled with the transponder's UID.
void CQV58Dlg::writeCarrierIdClicked()
{
    takeFromControls();
    const auto bytes = carrierIdBytes(manualCarrierId, carrierIdRange(manualCarrierIdOffset, manualCarrierIdLength).length,
                                      asciiFormat);
    std::optional<JournalEntry> heldElsewhere;
    std::string uid;
    if (journal && portOpen && bytes) {
        runOnPages([](PageOperationContext &context) { teb::readUid(context); });
        uid = errorCount == 0 ? uidText : std::string();
        if (!confirmManualCarrierId(std::string(bytes->begin(), bytes->end()), uid, heldElsewhere)) {
            showInControls();
            return;
        }
    }
    bool written = false;
    runOnPages([this, &written](PageOperationContext &context) {
        written = teb::writeCarrierId(context, {manualCarrierIdOffset, manualCarrierIdLength, manualCarrierId});
    });
    if (written && journal && bytes)
        journalManualCarrierId(std::string(bytes->begin(), bytes->end()), uid, heldElsewhere.has_value());
    keepCarrierIdResult();
    showInControls();
    sayWhenPortClosed();
}

void CQV58Dlg::keepCarrierIdResult()
{
    m_carrierIdResultOf = {manualCarrierIdOffset, manualCarrierIdLength, manualCarrierId};
}

void CQV58Dlg::checkCarrierIdLength()
{
    carrierIdBoxLeft(); // takes the controls' values
    if (const auto warning = carrierIdLengthWarning(manualCarrierId, manualCarrierIdLength, asciiFormat))
        showMessage(*warning, kWindowTitle, MessageIcon::Warning);
    showInControls();
}

// The box's colour reports on one carrier ID at one offset and length: once
// any of them was edited, it reports nothing any more.
void CQV58Dlg::carrierIdBoxLeft()
{
    takeFromControls();
    if (m_carrierIdResultOf != std::array{manualCarrierIdOffset, manualCarrierIdLength, manualCarrierId})
        m_view.setBackground(Control::ManualCarrierIdBox, colour::White);
}

// --- manual log and record file

void CQV58Dlg::chooseManualLogFile()
{
    disableDefaultAction();
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    if (manualLogFileName.empty())
        request.initialDirectory = workingDirectory;
    else
        request.initialFileName = manualLogFileName;
    request.defaultExtension = "xml";
    request.filter = "*.xml";
    request.promptOverwrite = true;
    request.hideReadOnly = true;
    if (const auto chosen = m_dialogs.chooseFile(request))
        manualLogFileName = chosen->string();
    if (manualLogFileName.empty())
        manualLogFileName = (workingDirectory / records::kDefaultManualLogName).string();
    showLogFileName();
}

records::RecordEntry CQV58Dlg::entryOfPages(bool uidShown, bool onlySucceeded) const
{
    PageFlags filled{};
    for (std::size_t i = 0; i < filled.size(); ++i)
        filled[i] = pageSelected[i] && !pageText[i].empty() && (!onlySucceeded || pageSucceeded[i]);
    return records::makeEntry(uidShown ? uidText : std::string(), filled, hexTextKept, asciiTextKept, currentSet);
}

void CQV58Dlg::appendManualLog(records::ManualLogKind kind)
{
    const auto status = records::appendManualLog(records::workbookPath(workingDirectory, manualLogFileName), kind,
                                                 entryOfPages(manualTypeOrvex, true), wallClock);
    if (!records::appended(status)) {
        enableAfterRecordFailure();
        showInControls();
        showMessage(std::string(recordFileFailedText), kWindowTitle, MessageIcon::Stop);
    }
    requestFocusOnFirstEditablePage();
}

void CQV58Dlg::enableAfterRecordFailure()
{
    for (const Control control :
         {Control::TerminalInput, Control::SendButton, Control::NextBox, Control::NextSpin, Control::OneButton})
        m_view.setEnabled(control, true);
    m_view.setMenuEnabled(MenuItem::FileExit, true);
    m_view.setMenuEnabled(MenuItem::HelpInfo, true);
}

// Every cycle reads the UID first, whatever the family: the record holds it.
// The journal holds every programmed transponder durably and can write the
// record file again, so the record needs no sync of its own.
bool CQV58Dlg::appendRecord()
{
    return records::appended(records::appendRecord(records::workbookPath(workingDirectory, currentSet.recordFileName),
                                                   entryOfPages(true, false), currentSetName, currentSet,
                                                   jobHeaderPending, wallClock, records::WorkbookFileOps::unsynced()));
}

} // namespace teb
