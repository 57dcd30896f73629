// The manual group's operations on the transponder, the carrier ID, the
// manual log and the record file, as the main window runs them.
#include "windows/main/cqv58_dlg.h"

#include "windows/main/main_window_operation_report.h"
#include "automatic/automatic_messages.h"
#include "records/record_files.h"
#include "transponder/carrier_id_operations.h"
#include "transponder/page_operations.h"
#include "transponder/page_bytes.h"

namespace teb {
// Runs an operation on the reader link; what it finds is shown as it comes.
template <typename Operation>
auto CQV58Dlg::runOnPages(Operation operation)
{
    MainWindowOperationReport report(m_view, m_dialogs, [this](const PageOutcome &soFar) {
        takePagesFound(soFar);
        showInControls();
    });
    PageOperationContext context{ReaderSession{m_readerPort, portHandle, timeBase, terminalText, &m_readerWatch},
                                 portOpen, report};
    return operation(context);
}

PageRequest CQV58Dlg::pageRequest() const { return {pageSelected, pageImageOf(pageText, asciiFormat), asciiFormat}; }

// Pages read show their bytes in the current format; the kept texts, which
// the record file and the manual log show, follow the bytes read or sent.
void CQV58Dlg::takePagesFound(const PageOutcome &outcome)
{
    for (int page = 1; page <= kPageCount; ++page) {
        const std::size_t i = pageIndex(page);
        if (!outcome.read[i] && !outcome.sent[i])
            continue;
        const PageBytes bytes = outcome.cells.page(page);
        hexTextKept[i] = hexPageText(bytes);
        asciiTextKept[i] = asciiPageText(bytes);
        if (outcome.read[i])
            pageText[i] = teb::pageText(bytes, asciiFormat);
    }
    if (outcome.uid)
        uidText = *outcome.uid;
    if (outcome.carrierId)
        manualCarrierId = *outcome.carrierId;
}

CarrierIdEntry CQV58Dlg::carrierIdEntry() const
{
    return {manualCarrierIdOffset, manualCarrierIdLength, manualCarrierId, asciiFormat};
}

// --- the manual group's buttons

void CQV58Dlg::readUidClicked()
{
    takeFromControls();
    readUid();
    showInControls();
    sayWhenPortClosed();
}

void CQV58Dlg::readPagesClicked()
{
    takeFromControls();
    const bool withUid = manualTypeOrvex;
    const PageOutcome outcome = runOnPages(
        [&](PageOperationContext &context) { return teb::readPages(context, pageRequest(), withUid); });
    takePagesFound(outcome);
    errorCount += outcome.errorCount;
    pageSucceeded = outcome.succeeded;
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

void CQV58Dlg::readUid()
{
    const PageOutcome outcome = runOnPages([](PageOperationContext &context) { return teb::readUid(context); });
    takePagesFound(outcome);
    errorCount = outcome.errorCount;
}

bool CQV58Dlg::writePages(const PageImage &image, std::string_view expectedUid)
{
    // In automatic mode the job alone decides the transponder family.
    const bool withUid = currentSet.transponderOrvex || (!automaticMode && manualTypeOrvex);
    const PageOutcome outcome = runOnPages([&](PageOperationContext &context) {
        return teb::writePages(context, PageRequest{pageSelected, image, asciiFormat}, withUid, expectedUid);
    });
    takePagesFound(outcome);
    errorCount = outcome.errorCount;
    pageSucceeded = outcome.succeeded;
    showInControls();
    return outcome.reachedTag;
}

void CQV58Dlg::writePages()
{
    takeFromControls();
    writePages(pageRequest().image);
}

std::optional<std::string> CQV58Dlg::readUidForCycle()
{
    readUid();
    showInControls();
    if (errorCount != 0 || uidText.empty())
        return std::nullopt;
    return uidText;
}

// The job decides the family: an Orvex transponder takes writes only right
// after its UID, which must still be the one the carrier ID was reserved for.
PagesWritten CQV58Dlg::writePagesForCycle(const PageImage &pages, const std::string &uid)
{
    takeFromControls();
    const bool reachedTag = writePages(pages, uid);
    return PagesWritten{errorCount, reachedTag};
}

void CQV58Dlg::lockPages()
{
    PageFlags locked{};
    for (std::size_t i = 0; i < locked.size(); ++i)
        locked[i] = currentSet.pages[i].locked;
    lockPagesForCycle(locked);
}

// In automatic mode only the pages that the set locks.
int CQV58Dlg::lockPagesForCycle(const PageFlags &locked)
{
    takeFromControls();
    PageFlags lockable{};
    for (std::size_t i = 0; i < lockable.size(); ++i)
        lockable[i] = !automaticMode || locked[i];
    const PageOutcome outcome = runOnPages(
        [&](PageOperationContext &context) { return teb::lockPages(context, pageRequest(), lockable); });
    errorCount = outcome.errorCount;
    showInControls();
    return errorCount;
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
    takePagesFound(runOnPages(
        [this](PageOperationContext &context) { return teb::readCarrierId(context, carrierIdEntry()); }));
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
        readUid();
        uid = errorCount == 0 ? uidText : std::string();
        if (!confirmManualCarrierId(std::string(bytes->begin(), bytes->end()), uid, heldElsewhere)) {
            showInControls();
            return;
        }
    }
    const CarrierIdWrite write = runOnPages(
        [this](PageOperationContext &context) { return teb::writeCarrierId(context, carrierIdEntry()); });
    takePagesFound(write.outcome);
    if (write.written && journal && bytes)
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
