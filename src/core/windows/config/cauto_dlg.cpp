#include "windows/config/cauto_dlg.h"

#include <system_error>

#include "params/parameter_set_file.h"

namespace teb {
namespace {

struct TextBinding {
    ConfigControl id;
    std::string ParameterSet::*field;
};

constexpr TextBinding kTextFields[]{
    {ConfigControl::NameList, &ParameterSet::name},
    {ConfigControl::OperatorBadgeId, &ParameterSet::operatorBadgeId},
    {ConfigControl::PartNumber, &ParameterSet::partNumber},
    {ConfigControl::WorkOrderNumber, &ParameterSet::workOrderNumber},
    {ConfigControl::Quantity, &ParameterSet::quantity},
    {ConfigControl::CarrierIdOffset, &ParameterSet::carrierIdOffset},
    {ConfigControl::CarrierIdLength, &ParameterSet::carrierIdLength},
    {ConfigControl::CarrierId, &ParameterSet::carrierId},
    {ConfigControl::MemoryPage, &ParameterSet::memoryPage},
    {ConfigControl::CounterPageList, &ParameterSet::counterPage},
    {ConfigControl::AlignmentList, &ParameterSet::alignment},
};

bool fileExists(const std::filesystem::path &file)
{
    std::error_code error;
    return std::filesystem::exists(file, error);
}

// A set without a file: a new set, with what the main window describes of
// its current job where it describes anything.
ParameterSet handedInSet(const ConfigEditorInput &input)
{
    ParameterSet set = newParameterSet(input.currentSetName);
    const auto take = [](std::string &field, const std::string &handedIn) {
        if (!handedIn.empty())
            field = handedIn;
    };
    take(set.carrierId, input.carrierId);
    take(set.counterValue, input.counterValue);
    take(set.counterPage, input.counterPage);
    take(set.alignment, input.alignment);
    if (input.useCsvFile) {
        set.useDecimalCounter = false;
        set.useCsvFile = true;
    }
    set.csvFileName = input.csvFileName;
    set.logEnabled = input.logEnabled;
    set.recordFileName = input.recordFileName;
    return set;
}

} // namespace

std::string shortenedPath(std::string_view path)
{
    if (path.size() <= kLongestShownPath)
        return std::string(path);
    return "..." + std::string(path.substr(path.size() - kLongestShownPath));
}

CAutoDlg::CAutoDlg(ConfigEditorInput input)
    : m_input(std::move(input)), m_directory(m_input.workingDirectory), m_setList(m_input.setList),
      m_asciiFormat(m_input.asciiFormat)
{
}

DialogResult CAutoDlg::run(CAutoDlgView &view)
{
    open(view);
    view.runModal(*this);
    return m_result.accepted ? DialogResult::Ok : DialogResult::Cancel;
}

void CAutoDlg::open(CAutoDlgView &view)
{
    m_view = &view;
    fillLists();
    m_view->setListEntries(ConfigControl::CounterPageList, counterPageEntries());
    m_view->setListEntries(ConfigControl::AlignmentList, alignmentEntries());
    loadSet(m_input.currentSetName, true);
    showCloseButtons();
}

void CAutoDlg::loadSet(const std::string &name, bool keepHandedInValues)
{
    const bool hasFile = isValidSetName(name) && fileExists(setFilePath(m_directory, name));
    if (hasFile) {
        m_set = loadParameterSet(m_directory, name);
        // The main window's next carrier ID and counter value are where the
        // job stands; the file's own are older.
        if (keepHandedInValues) {
            m_set.carrierId = m_input.carrierId;
            m_set.counterValue = m_input.counterValue;
        }
    } else {
        m_set = keepHandedInValues ? handedInSet(m_input) : newParameterSet(name);
    }
    completeForEditor(m_set);
    m_set.name = name;
    m_typedNonDigit.fill(false);
    m_fixedDataWarned = false;
    if (m_set.useFixData || m_set.useCsvFile)
        m_set.lockCarrierId = false;
    carrierIdIntoPages();
    showInControls();
    showSourceStates();
    showCloseButtons();
}

void CAutoDlg::fillLists()
{
    m_view->setListEntries(ConfigControl::NameList, m_setList.names());
    m_view->setText(ConfigControl::NameList, m_set.name);
}

void CAutoDlg::takeFromControls()
{
    for (const TextBinding &binding : kTextFields)
        m_set.*binding.field = m_view->text(binding.id);
    // A cell typed over but not confirmed counts as confirmed; the HEX cell
    // wins over the ASCII cell of the same byte.
    const std::optional<CarrierIdWindow> window = carrierIdWindow(m_set);
    bool windowTypedOver = false;
    for (int byte = 0; byte < kCarrierIdPageBytes; ++byte) {
        const ByteTexts held = byteTexts(byte);
        if (const std::string hex = m_view->text(hexCell(byte)); hex != held.hex)
            takeTypedByte(byte, readFreeHexCell(hex));
        else if (const std::string ascii = m_view->text(asciiCell(byte)); ascii != held.ascii)
            takeTypedByte(byte, readFreeAsciiCell(ascii));
        windowTypedOver = windowTypedOver || (window && window->contains(byte) && byteTexts(byte) != held);
    }
    if (windowTypedOver)
        carrierIdFromWindow();
}

void CAutoDlg::showInControls()
{
    for (const TextBinding &binding : kTextFields)
        m_view->setText(binding.id, m_set.*binding.field);
    showCells();
    showSwitches();
    showPaths();
    showByteColours();
}

void CAutoDlg::clicked(ConfigControl id)
{
    switch (id) {
    case ConfigControl::SaveButton: save(); return;
    case ConfigControl::DeleteButton: deleteName(); return;
    case ConfigControl::DecimalCounterSwitch: chooseDataSource(CarrierIdSource::DecimalCounter); return;
    case ConfigControl::CsvFileSwitch: chooseDataSource(CarrierIdSource::CsvFile); return;
    case ConfigControl::CsvFileCompleteSwitch: chooseDataSource(CarrierIdSource::CsvFileComplete); return;
    case ConfigControl::FixDataSwitch: chooseDataSource(CarrierIdSource::FixData); return;
    case ConfigControl::CsvOpenButton: openCsvFile(); return;
    case ConfigControl::TiSwitch: familyClicked(true); return;
    case ConfigControl::OrvexSwitch: familyClicked(false); return;
    case ConfigControl::FillButton: fillCarrierId(); return;
    case ConfigControl::LockCarrierIdSwitch: lockCarrierIdClicked(); return;
    case ConfigControl::LockPage1Switch: lockPageClicked(1); return;
    case ConfigControl::LockPage2Switch: lockPageClicked(2); return;
    case ConfigControl::EditPagesButton: editPages3To17(); return;
    case ConfigControl::LogSwitch: logClicked(); return;
    case ConfigControl::RecordOpenButton: openRecordFile(); return;
    case ConfigControl::OkButton: ok(); return;
    case ConfigControl::CancelButton: cancel(); return;
    case ConfigControl::EditPage1Switch:
    case ConfigControl::EditPage2Switch:
    case ConfigControl::WritePages3To17Switch: flipSwitch(id); return;
    default: break;
    }
    if (byteOfFixSwitch(id) >= 0)
        flipSwitch(id);
}

void CAutoDlg::enterPressed(ConfigControl id)
{
    if (isCarrierIdField(id))
        checkCarrierId();
    else if (byteOfHexCell(id) >= 0 || byteOfAsciiCell(id) >= 0)
        cellConfirmed(id);
    else
        moveFocusFrom(id);
}

void CAutoDlg::tabPressed(ConfigControl id)
{
    if (byteOfHexCell(id) >= 0 || byteOfAsciiCell(id) >= 0)
        cellConfirmed(id);
    else
        moveFocusFrom(id);
}

void CAutoDlg::focusLost(ConfigControl id)
{
    if (isCarrierIdField(id))
        checkCarrierId();
}

void CAutoDlg::fieldEdited(ConfigControl id)
{
    if (isCarrierIdField(id))
        showMemoryMap();
}

void CAutoDlg::selectionChanged(ConfigControl id)
{
    if (id == ConfigControl::NameList) {
        m_nameChoicePending = true;
        m_view->startOneShotTimer(ConfigTimer::NameChoice, kConfigTimerDelay);
    } else if (id == ConfigControl::CounterPageList) {
        m_counterPageChoicePending = true;
        m_view->startOneShotTimer(ConfigTimer::CounterPageChoice, kConfigTimerDelay);
        showMemoryMap();
    }
}

void CAutoDlg::timerFired(ConfigTimer timer)
{
    if (timer == ConfigTimer::NameChoice && m_nameChoicePending) {
        m_nameChoicePending = false;
        const std::string name = m_view->text(ConfigControl::NameList);
        loadSet(name, isRunningSet(name));
        showSaveNote("", false); // it spoke of the set shown before
    } else if (timer == ConfigTimer::CounterPageChoice && m_counterPageChoicePending) {
        m_counterPageChoicePending = false;
        counterPageChosen();
    }
}

// "Save", "OK" and "Edit" act on the set the operator chose, not on the one
// still shown while its load waits for the timer.
void CAutoDlg::finishPendingChoices()
{
    if (m_nameChoicePending) {
        m_view->stopTimer(ConfigTimer::NameChoice);
        timerFired(ConfigTimer::NameChoice);
    }
    if (m_counterPageChoicePending) {
        m_view->stopTimer(ConfigTimer::CounterPageChoice);
        timerFired(ConfigTimer::CounterPageChoice);
    }
}

void CAutoDlg::stopTimers()
{
    m_view->stopTimer(ConfigTimer::NameChoice);
    m_view->stopTimer(ConfigTimer::CounterPageChoice);
    m_nameChoicePending = m_counterPageChoicePending = false;
}

void CAutoDlg::ok()
{
    finishPendingChoices();
    takeFromControls();
    if (!m_okAllowed || refused()) {
        showInControls();  // a cell typed over into a faulty byte turns red
        showCloseButtons();
        return;
    }
    if (!isSavedName(m_set.name)) {
        if (!askedToSave()) {
            cancel();  // the main window keeps its current set
            return;
        }
        save();
        if (!isSavedName(m_set.name))
            return;
    }
    warnOfFixedDataPages();
    stopTimers();
    m_result = ConfigEditorResult{.accepted = true,
                                  .saved = m_saved,
                                  .savePressed = m_savePressed,
                                  .asciiFormat = m_asciiFormat,
                                  .currentSetName = m_set.name,
                                  .setList = m_setList,
                                  .set = m_set};
    m_view->endDialog(DialogResult::Ok);
}

// The main window's current set, as it was handed in: chosen again, it keeps
// where the job stands. Once saved here, its file says what the operator chose.
bool CAutoDlg::isRunningSet(const std::string &name) const
{
    return name == m_input.currentSetName && !m_runningSetSaved;
}

// A name the main window can run: listed, with its file.
bool CAutoDlg::isSavedName(const std::string &name) const
{
    return m_setList.contains(name) && isValidSetName(name) && fileExists(setFilePath(m_directory, name));
}

bool CAutoDlg::askedToSave()
{
    return m_view->showMessage({std::string(kUnsavedNameQuestion), std::string(kMessageCaption), MessageIcon::Question,
                               MessageButtons::YesNo})
           == MessageAnswer::Yes;
}

void CAutoDlg::cancel()
{
    stopTimers();
    m_result = ConfigEditorResult{};
    m_result.saved = m_saved;
    m_result.savePressed = m_savePressed;
    m_view->endDialog(DialogResult::Cancel);
}

void CAutoDlg::showCloseButtons()
{
    const bool valid = cellsValid();
    m_view->setEnabled(ConfigControl::SaveButton, valid);
    m_view->setEnabled(ConfigControl::OkButton, m_okAllowed && valid);
}

void CAutoDlg::disableOk()
{
    m_okAllowed = false;
    showCloseButtons();
}

// "Save" and "OK": true, with the reason shown, when the set cannot go on.
bool CAutoDlg::refused(std::string *why)
{
    std::string reason;
    for (int byte = 0; byte < kCarrierIdPageBytes && reason.empty(); ++byte) {
        if (!isValidByte(byte))
            reason = faultyCellMessage(byte);
    }
    if (const std::optional<std::string_view> refusal = setRefusal(m_set); reason.empty() && refusal)
        reason = *refusal;
    if (reason.empty())
        return false;
    showInControls();
    showCloseButtons();
    warn(reason);
    if (why != nullptr)
        *why = reason;
    return true;
}

void CAutoDlg::warn(std::string_view text)
{
    m_view->showMessage({std::string(text), std::string(kMessageCaption), MessageIcon::Warning, MessageButtons::Ok});
}

// Once per set shown: at its "Save", or at "OK" when it was not saved.
void CAutoDlg::warnOfFixedDataPages()
{
    if (source() != CarrierIdSource::FixData || m_fixedDataWarned)
        return;
    m_fixedDataWarned = true;
    warn(kFixedDataPagesWarning);
}

} // namespace teb
