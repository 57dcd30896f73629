// The manual group's operations on the transponder, the carrier ID, the
// manual log and the record file, as the main window runs them.
#include "windows/main/cqv58_dlg.h"

#include "windows/main/cqv58_dlg_operation_report.h"
#include "automatic/automatic_messages.h"
#include "records/record_files.h"
#include "transponder/carrier_id_operations.h"
#include "transponder/page_operations.h"

namespace teb {
// Runs an operation on the reader link; what it finds is shown as it comes.
template <typename Operation>
auto CQV58Dlg::runOnPages(Operation operation)
{
    CQV58DlgOperationReport report(m_view, m_dialogs, [this](const PageOutcome &soFar) {
        takePagesFound(soFar);
        showInControls();
    });
    PageOperationContext context{m_link.session(&m_terminal.sink(), &m_readerWatch), m_link.portOpen(), report};
    auto outcome = operation(context);
    m_link.keepTimeBase(context.session);
    return outcome;
}

PageRequest CQV58Dlg::pageRequest() const { return {m_pages.pageSelected, m_pages.image(), m_pages.asciiFormat}; }

void CQV58Dlg::takePagesFound(const PageOutcome &outcome)
{
    m_pages.showFound(outcome);
    if (outcome.carrierId)
        m_manual.manualCarrierId = *outcome.carrierId;
}

CarrierIdEntry CQV58Dlg::carrierIdEntry() const
{
    return {m_manual.manualCarrierIdOffset, m_manual.manualCarrierIdLength, m_manual.manualCarrierId, m_pages.asciiFormat};
}

// --- the manual group's buttons

void CQV58Dlg::readUidClicked()
{
    takeFromControls();
    readUid();
    showInControls();
    m_link.sayWhenClosed();
}

void CQV58Dlg::readPagesClicked()
{
    takeFromControls();
    const bool withUid = m_manual.manualTypeOrvex;
    const PageOutcome outcome = runOnPages(
        [&](PageOperationContext &context) { return teb::readPages(context, pageRequest(), withUid); });
    takePagesFound(outcome);
    m_run.errorCount += outcome.errorCount;
    m_pages.pageSucceeded = outcome.succeeded;
    if (m_link.portOpen() && m_manual.manualLog && !m_pages.automaticMode)
        appendManualLog(records::ManualLogKind::Read);
    showInControls();
    m_link.sayWhenClosed();
}

void CQV58Dlg::writePagesClicked()
{
    writePages();
    if (m_link.portOpen() && m_manual.manualLog && !m_pages.automaticMode)
        appendManualLog(records::ManualLogKind::Write);
    showInControls();
    m_link.sayWhenClosed();
}

void CQV58Dlg::lockPagesClicked()
{
    lockPages();
    showInControls();
    m_link.sayWhenClosed();
}

void CQV58Dlg::readUid()
{
    const PageOutcome outcome = runOnPages([](PageOperationContext &context) { return teb::readUid(context); });
    takePagesFound(outcome);
    m_run.errorCount = outcome.errorCount;
}

PageOutcome CQV58Dlg::writePages(const PageImage &image, const PageFlags &selection, std::string_view expectedUid)
{
    // In automatic mode the job alone decides the transponder family.
    const bool withUid = m_job.state().currentSet.transponderOrvex || (!m_pages.automaticMode && m_manual.manualTypeOrvex);
    const PageOutcome outcome = runOnPages([&](PageOperationContext &context) {
        return teb::writePages(context, PageRequest{selection, image, m_pages.asciiFormat}, withUid, expectedUid);
    });
    takePagesFound(outcome);
    m_run.errorCount = outcome.errorCount;
    m_pages.pageSucceeded = outcome.succeeded;
    showInControls();
    return outcome;
}

void CQV58Dlg::writePages()
{
    takeFromControls();
    writePages(pageRequest().image, m_pages.pageSelected);
}

std::optional<std::string> CQV58Dlg::readUidForCycle()
{
    readUid();
    showInControls();
    // A closed port reads nothing: the box still holds the last transponder's UID.
    if (!m_link.portOpen() || m_run.errorCount != 0 || m_pages.uidText.empty())
        return std::nullopt;
    return m_pages.uidText;
}

// The job decides the family: an Orvex transponder takes writes only right
// after its UID, which must still be the one the carrier ID was reserved for.
PagesWritten CQV58Dlg::writePagesForCycle(const PageImage &pages, const PageFlags &selection, const std::string &uid)
{
    takeFromControls();
    const PageOutcome outcome = writePages(pages, selection, uid);
    PagesWritten written{outcome.errorCount, outcome.reachedTag, outcome.refused, outcome.failedPage, std::nullopt};
    if (outcome.uidRead)
        written.uid = outcome.uid;
    return written;
}

// The selected pages; in automatic mode only those that the set locks.
void CQV58Dlg::lockPages()
{
    takeFromControls();
    PageFlags pages = m_pages.pageSelected;
    for (std::size_t i = 0; i < pages.size(); ++i)
        pages[i] = pages[i] && (!m_pages.automaticMode || m_job.state().currentSet.pages[i].locked);
    lockPagesOn(pages);
}

int CQV58Dlg::lockPagesForCycle(const PageFlags &locked)
{
    takeFromControls();
    return lockPagesOn(locked);
}

int CQV58Dlg::lockPagesOn(const PageFlags &pages)
{
    const PageOutcome outcome = runOnPages([&](PageOperationContext &context) {
        return teb::lockPages(context, PageRequest{pages, {}, m_pages.asciiFormat}, pages);
    });
    m_run.errorCount = outcome.errorCount;
    showInControls();
    return m_run.errorCount;
}

TagReading CQV58Dlg::readTransponderForCycle(const PageFlags &pages)
{
    takeFromControls();
    const TransponderReading reading =
        runOnPages([&](PageOperationContext &context) { return teb::readTransponder(context, pages); });
    takePagesFound(reading.outcome);
    showInControls();
    TagReading tag;
    if (reading.uidRead)
        tag.uid = reading.outcome.uid;
    for (int page = 1; page <= kPageCount; ++page) {
        const auto i = static_cast<std::size_t>(page - 1);
        if (reading.outcome.read[i])
            tag.pages[i] = reading.outcome.cells.page(page);
    }
    return tag;
}

void CQV58Dlg::loadDefaultContent()
{
    takeFromControls();
    m_pages.pageText = m_pages.pageDefault;
    m_pages.asciiFormat = false;
    showFormatSwitches();
    m_pages.selectAll = true;
    m_pages.pageSelected.fill(true);
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
    m_link.sayWhenClosed();
}

// "write carrier ID" keeps the promise of a cycle: the transponder's UID is
// read, a carrier ID that another transponder holds is written only when the
// operator says so, the pages are reserved in the journal before the first
// write leaves the port, and the read-back decides how the entry ends.
void CQV58Dlg::writeCarrierIdClicked()
{
    takeFromControls();
    const CarrierIdRange range = carrierIdRange(m_manual.manualCarrierIdOffset, m_manual.manualCarrierIdLength);
    const auto bytes = carrierIdBytes(m_manual.manualCarrierId, range.length, m_pages.asciiFormat);
    ManualCarrierIdWrite manual;
    // A text or range that cannot be written is refused by the write itself, with its message.
    if (m_link.portOpen() && bytes && fitsPagesOneAndTwo(range)) {
        manual.carrierId.assign(bytes->begin(), bytes->end());
        if (!m_job.prepareManualCarrierId(manual)) {
            showInControls();
            return;
        }
    }
    const CarrierIdWrite write = runOnPages([&](PageOperationContext &context) {
        return teb::writeCarrierId(context, carrierIdEntry(), m_job.manualReservation(manual));
    });
    takePagesFound(write.outcome);
    if (!manual.problem.empty())
        showMessage(manual.problem, kWindowTitle, MessageIcon::Stop);
    if (write.reserved)
        m_job.concludeManualCarrierId(manual, write);
    keepCarrierIdResult();
    showInControls();
    m_link.sayWhenClosed();
}

void CQV58Dlg::keepCarrierIdResult()
{
    m_manual.carrierIdResultOf = {m_manual.manualCarrierIdOffset, m_manual.manualCarrierIdLength, m_manual.manualCarrierId};
}

void CQV58Dlg::checkCarrierIdLength()
{
    carrierIdBoxLeft(); // takes the controls' values
    if (const auto warning = carrierIdLengthWarning(m_manual.manualCarrierId, m_manual.manualCarrierIdLength, m_pages.asciiFormat))
        showMessage(*warning, kWindowTitle, MessageIcon::Warning);
    showInControls();
}

// The box's colour reports on one carrier ID at one offset and length: once
// any of them was edited, it reports nothing any more.
void CQV58Dlg::carrierIdBoxLeft()
{
    takeFromControls();
    if (m_manual.carrierIdResultOf != std::array{m_manual.manualCarrierIdOffset, m_manual.manualCarrierIdLength, m_manual.manualCarrierId})
        m_view.setBackground(Control::ManualCarrierIdBox, colour::White);
}

// --- manual log and record file

void CQV58Dlg::chooseManualLogFile()
{
    disableDefaultAction();
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    if (m_manual.manualLogFileName.empty())
        request.initialDirectory = m_job.state().workingDirectory;
    else
        request.initialFileName = m_manual.manualLogFileName;
    request.defaultExtension = "xml";
    request.filter = "*.xml";
    request.promptOverwrite = true;
    request.hideReadOnly = true;
    if (const auto chosen = m_dialogs.chooseFile(request))
        m_manual.manualLogFileName = chosen->string();
    if (m_manual.manualLogFileName.empty())
        m_manual.manualLogFileName = (m_job.state().workingDirectory / records::kDefaultManualLogName).string();
    showLogFileName();
}

records::RecordEntry CQV58Dlg::entryOfPages(bool uidShown, bool onlySucceeded) const
{
    PageFlags filled{};
    for (std::size_t i = 0; i < filled.size(); ++i)
        filled[i] = m_pages.pageSelected[i] && !m_pages.pageText[i].empty() && (!onlySucceeded || m_pages.pageSucceeded[i]);
    return records::makeEntry(uidShown ? m_pages.uidText : std::string(), filled, m_pages.hexTextKept, m_pages.asciiTextKept, m_job.state().currentSet);
}

void CQV58Dlg::appendManualLog(records::ManualLogKind kind)
{
    const auto status = records::appendManualLog(records::workbookPath(m_job.state().workingDirectory, m_manual.manualLogFileName), kind,
                                                 entryOfPages(m_manual.manualTypeOrvex, true), m_run.wallClock);
    if (!records::appended(status)) {
        enableAfterRecordFailure();
        showInControls();
        showMessage(std::string(kRecordFileFailedText), kWindowTitle, MessageIcon::Stop);
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
// Synced: an unsynced workbook may come back from a power cut empty or cut
// short, and the next append then starts it afresh or refuses it for good.
bool CQV58Dlg::appendRecord()
{
    return records::appended(records::appendRecord(records::workbookPath(m_job.state().workingDirectory, m_job.state().currentSet.recordFileName),
                                                   entryOfPages(true, false), m_job.state().currentSetName, m_job.state().currentSet,
                                                   m_job.state().jobHeaderPending, m_run.wallClock));
}

} // namespace teb
