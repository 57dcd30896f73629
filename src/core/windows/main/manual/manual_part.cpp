// The manual group's operations on the transponder, the carrier ID and the
// manual log.
#include "windows/main/manual/manual_part.h"

#include "windows/main/log_file_label.h"
#include "windows/main/record_failure_controls.h"
#include "automatic/automatic_messages.h"
#include "records/record_files.h"

#include <array>

namespace teb {
namespace {

// Every control of the manual group below its frame and title.
constexpr std::array kManualGroupControls = {
    Control::ReadButton, Control::WriteButton, Control::LockButton, Control::DefaultMemoryButton,
    Control::LabelManualCarrierIdOffset, Control::ManualCarrierIdOffsetBox,
    Control::LabelManualCarrierIdLength, Control::ManualCarrierIdLengthBox,
    Control::LabelManualCarrierId, Control::ManualCarrierIdBox,
    Control::ReadCarrierIdButton, Control::WriteCarrierIdButton,
    Control::ReadUidButton, Control::UidBox,
    Control::LabelTransponderType, Control::LabelTi, Control::TiSwitch, Control::LabelOrvex, Control::OrvexSwitch,
    Control::LabelLog, Control::LogSwitch, Control::LogFileLabel, Control::OpenButton,
};

} // namespace

void ManualPart::takeFromControls()
{
    m_group.manualCarrierIdOffset = m_view.text(Control::ManualCarrierIdOffsetBox);
    m_group.manualCarrierIdLength = m_view.text(Control::ManualCarrierIdLengthBox);
    m_group.manualCarrierId = m_view.text(Control::ManualCarrierIdBox);
    m_group.manualTypeTi = m_view.isChecked(Control::TiSwitch);
    m_group.manualTypeOrvex = m_view.isChecked(Control::OrvexSwitch);
    m_group.manualLog = m_view.isChecked(Control::LogSwitch);
    m_group.manualLogFileShown = m_view.text(Control::LogFileLabel);
}

void ManualPart::showInControls()
{
    m_view.setText(Control::ManualCarrierIdOffsetBox, m_group.manualCarrierIdOffset);
    m_view.setText(Control::ManualCarrierIdLengthBox, m_group.manualCarrierIdLength);
    m_view.setText(Control::ManualCarrierIdBox, m_group.manualCarrierId);
    m_view.setChecked(Control::TiSwitch, m_group.manualTypeTi);
    m_view.setChecked(Control::OrvexSwitch, m_group.manualTypeOrvex);
    m_view.setChecked(Control::LogSwitch, m_group.manualLog);
    m_view.setText(Control::LogFileLabel, m_group.manualLogFileShown);
}

// --- settings and what the group shows

void ManualPart::takeSettings(const StationSettings &settings)
{
    m_group.manualCarrierIdOffset = settings.manualCarrierIdOffset;
    m_group.manualCarrierIdLength = settings.manualCarrierIdLength;
    m_group.manualCarrierId = settings.manualCarrierId;
    m_group.manualLog = settings.manualLog;
    m_group.manualTypeTi = settings.manualTypeTi;
    m_group.manualTypeOrvex = settings.manualTypeOrvex;
    m_group.manualLogFileName = settings.manualLogFileName;
}

void ManualPart::putSettings(StationSettings &settings) const
{
    settings.manualCarrierIdOffset = m_group.manualCarrierIdOffset;
    settings.manualCarrierIdLength = m_group.manualCarrierIdLength;
    settings.manualCarrierId = m_group.manualCarrierId;
    settings.manualLog = m_group.manualLog;
    settings.manualTypeTi = m_group.manualTypeTi;
    settings.manualTypeOrvex = m_group.manualTypeOrvex;
    settings.manualLogFileName = m_group.manualLogFileName;
}

void ManualPart::showSwitchImages()
{
    showFamilySwitches();
    m_view.setSwitchImage(Control::LogSwitch, m_group.manualLog);
}

void ManualPart::showLogFileName()
{
    m_group.manualLogFileShown = shortenedLogFileName(m_group.manualLogFileName);
    m_view.setText(Control::LogFileLabel, m_group.manualLogFileShown);
}

void ManualPart::setShown(bool shown)
{
    for (const Control id : kManualGroupControls) {
        m_view.setEnabled(id, shown);
        m_view.setVisible(id, shown);
    }
}

// In automatic mode the job alone decides the transponder family.
bool ManualPart::writesWithUid() const
{
    return m_window.currentSet().transponderOrvex || (!m_pages.state().automaticMode && m_group.manualTypeOrvex);
}

// --- the page and UID buttons

void ManualPart::readUidClicked()
{
    m_window.takeFromControls();
    m_run.errorCount = m_reader.readUid().errorCount;
    m_window.showInControls();
    m_link.sayWhenClosed();
}

bool ManualPart::logsNow() const { return m_link.portOpen() && m_group.manualLog && !m_pages.state().automaticMode; }

void ManualPart::readPagesClicked()
{
    m_window.takeFromControls();
    m_run.errorCount += m_reader.readPages(m_group.manualTypeOrvex).errorCount;
    if (logsNow())
        appendLog(records::ManualLogKind::Read);
    m_window.showInControls();
    m_link.sayWhenClosed();
}

void ManualPart::writePagesClicked()
{
    m_window.takeFromControls();
    m_run.errorCount = m_reader.writePages(m_pages.image(), m_pages.state().pageSelected, writesWithUid()).errorCount;
    if (logsNow())
        appendLog(records::ManualLogKind::Write);
    m_window.showInControls();
    m_link.sayWhenClosed();
}

// The selected pages; in automatic mode only those that the set locks.
void ManualPart::lockPagesClicked()
{
    m_window.takeFromControls();
    PageReader::PageFlags pages = m_pages.state().pageSelected;
    for (std::size_t i = 0; i < pages.size(); ++i)
        pages[i] = pages[i] && (!m_pages.state().automaticMode || m_window.currentSet().pages[i].locked);
    m_run.errorCount = m_reader.lockPages(pages).errorCount;
    m_window.showInControls();
    m_link.sayWhenClosed();
}

// --- carrier ID

CarrierIdEntry ManualPart::carrierIdEntry() const
{
    return {m_group.manualCarrierIdOffset, m_group.manualCarrierIdLength, m_group.manualCarrierId,
            m_pages.state().asciiFormat};
}

void ManualPart::readCarrierIdClicked()
{
    m_window.takeFromControls();
    m_reader.take(
        m_reader.run([this](PageOperationContext &context) { return teb::readCarrierId(context, carrierIdEntry()); }));
    keepCarrierIdResult();
    m_window.showInControls();
    m_link.sayWhenClosed();
}

// "write carrier ID" keeps the promise of a cycle: the transponder's UID is
// read, a carrier ID that another transponder holds is written only when the
// operator says so, the pages are reserved in the journal before the first
// write leaves the port, and the read-back decides how the entry ends.
void ManualPart::writeCarrierIdClicked()
{
    m_window.takeFromControls();
    const CarrierIdRange range = carrierIdRange(m_group.manualCarrierIdOffset, m_group.manualCarrierIdLength);
    const auto bytes = carrierIdBytes(m_group.manualCarrierId, range.length, m_pages.state().asciiFormat);
    ManualCarrierIdWrite manual;
    // A text or range that cannot be written is refused by the write itself, with its message.
    if (m_link.portOpen() && bytes && fitsPagesOneAndTwo(range)) {
        manual.carrierId.assign(bytes->begin(), bytes->end());
        if (!m_window.prepareCarrierId(manual)) {
            m_window.showInControls();
            return;
        }
    }
    const CarrierIdWrite write = m_reader.run([&](PageOperationContext &context) {
        return teb::writeCarrierId(context, carrierIdEntry(), m_window.reservation(manual));
    });
    m_reader.take(write.outcome);
    if (!manual.problem.empty())
        showOkMessage(m_dialogs, manual.problem, kWindowTitle, MessageIcon::Stop);
    if (write.reserved)
        m_window.concludeCarrierId(manual, write);
    keepCarrierIdResult();
    m_window.showInControls();
    m_link.sayWhenClosed();
}

void ManualPart::keepCarrierIdResult()
{
    m_group.carrierIdResultOf = {m_group.manualCarrierIdOffset, m_group.manualCarrierIdLength, m_group.manualCarrierId};
}

void ManualPart::carrierIdLeft()
{
    carrierIdRangeLeft(); // takes the controls' values
    if (const auto warning =
            carrierIdLengthWarning(m_group.manualCarrierId, m_group.manualCarrierIdLength, m_pages.state().asciiFormat))
        showOkMessage(m_dialogs, *warning, kWindowTitle, MessageIcon::Warning);
    m_window.showInControls();
}

// The box's colour reports on one carrier ID at one offset and length: once
// any of them was edited, it reports nothing any more.
void ManualPart::carrierIdRangeLeft()
{
    m_window.takeFromControls();
    if (m_group.carrierIdResultOf != std::array{m_group.manualCarrierIdOffset, m_group.manualCarrierIdLength, m_group.manualCarrierId})
        m_view.setBackground(Control::ManualCarrierIdBox, colour::White);
}

// --- family and manual log

void ManualPart::tiClicked()
{
    m_window.takeFromControls(); // the click has already changed the TI switch's check state
    m_group.manualTypeOrvex = !m_group.manualTypeTi;
    showFamilySwitches();
    m_window.showInControls();
}

void ManualPart::orvexClicked()
{
    m_window.takeFromControls();
    m_group.manualTypeTi = !m_group.manualTypeOrvex;
    showFamilySwitches();
    m_window.showInControls();
}

void ManualPart::showFamilySwitches()
{
    m_view.setSwitchImage(Control::TiSwitch, m_group.manualTypeTi);
    m_view.setSwitchImage(Control::OrvexSwitch, m_group.manualTypeOrvex);
}

// "Log" and "Open" switch the window's default action off until it closes.
void ManualPart::logClicked()
{
    m_window.takeFromControls();
    if (!m_group.manualLog) {
        m_view.setSwitchImage(Control::LogSwitch, false);
        m_window.showInControls();
        showLogFileName();
    } else {
        m_view.setSwitchImage(Control::LogSwitch, true);
    }
    m_run.defaultActionEnabled = false;
}

void ManualPart::chooseLogFile()
{
    m_run.defaultActionEnabled = false;
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    if (m_group.manualLogFileName.empty())
        request.initialDirectory = m_window.workingDirectory();
    else
        request.initialFileName = m_group.manualLogFileName;
    request.defaultExtension = "xml";
    request.filter = "*.xml";
    request.promptOverwrite = true;
    request.hideReadOnly = true;
    if (const auto chosen = m_dialogs.chooseFile(request))
        m_group.manualLogFileName = chosen->string();
    if (m_group.manualLogFileName.empty())
        m_group.manualLogFileName = (m_window.workingDirectory() / records::kDefaultManualLogName).string();
    showLogFileName();
}

void ManualPart::appendLog(records::ManualLogKind kind)
{
    const auto status = records::appendManualLog(records::workbookPath(m_window.workingDirectory(), m_group.manualLogFileName),
                                                 kind, m_pages.recordEntry(m_group.manualTypeOrvex, true), m_run.wallClock);
    if (!records::appended(status)) {
        enableAfterRecordFailure(m_view);
        m_window.showInControls();
        showOkMessage(m_dialogs, std::string(kRecordFileFailedText), kWindowTitle, MessageIcon::Stop);
    }
    m_pages.requestFocusOnFirstEditablePage();
}

} // namespace teb
