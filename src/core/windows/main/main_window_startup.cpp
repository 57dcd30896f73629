// Start-up and the ways out of the main window: settings file, current
// parameter set, port, timers, colours and images.
#include "windows/main/cqv58_dlg.h"

#include "params/parameter_set_file.h"
#include "transponder/page_text.h"

namespace teb {

void CQV58Dlg::startUp()
{
    timeBase = kStartTimeBase;
    terminalVisible = true;
    toggleTerminal(); // hidden, menu item unchecked, narrow window
    m_view.setWindowSize(windowWidth(), kWindowHeight);

    workingDirectory = m_currentDirectory();
    if (workingDirectory.empty())
        showMessage(std::string(kNoWorkingDirectoryText), kWindowTitle, MessageIcon::Stop);
    takeOverSettings(loadSettings(workingDirectory));
    fillKeptTexts();
    showLogFileName();
    currentSet = loadParameterSet(workingDirectory, currentSetName);
    openJournal();
    resumeFromJournal();

    setUpControls();
    m_view.appendSystemMenuItem(std::string(kSystemMenuInfoText));
    m_view.setWindowTitle(std::string(kWindowTitle));
    openPort();
    m_view.startTimer(kCycleTimerId, kCycleTimerPeriod);
    m_view.startTimer(kRequestTimerId, kRequestTimerPeriod);
    colourControls();
    showSwitchImages();
    showInControls();
    refreshModeView();
    showInterruptedCycles();
}

void CQV58Dlg::shutDown()
{
    takeFromControls();
    if (!saveSettings(workingDirectory, settingsToSave()))
        showMessage(std::string(kSettingsNotSavedText), kWindowTitle, MessageIcon::Stop);
    stopContinuous();
    m_view.stopTimer(kCycleTimerId);
    m_view.stopTimer(kRequestTimerId);
}

void CQV58Dlg::takeOverSettings(const StationSettings &settings)
{
    interfaceSettings = settings.interfaceSettings;
    automaticMode = settings.automaticMode;
    currentSetName = settings.currentSetName;
    setList = settings.setList;
    carrierIdMax = settings.carrierIdMax;
    csvDelimiter = settings.csvDelimiter; // an empty value already reads as ","
    silentFail = settings.silentFail;
    selectAll = settings.selectAll;
    pageSelected = settings.pageSelected;
    asciiFormat = settings.asciiFormat;
    pageText = settings.pageText;
    pageDefault = settings.pageDefault;
    manualCarrierIdOffset = settings.manualCarrierIdOffset;
    manualCarrierIdLength = settings.manualCarrierIdLength;
    manualCarrierId = settings.manualCarrierId;
    manualLog = settings.manualLog;
    manualTypeTi = settings.manualTypeTi;
    manualTypeOrvex = settings.manualTypeOrvex;
    manualLogFileName = settings.manualLogFileName;
    journalServer = settings.journalServer;
    stationName = settings.stationName;
}

StationSettings CQV58Dlg::settingsToSave() const
{
    StationSettings settings;
    settings.interfaceSettings = interfaceSettings;
    settings.automaticMode = automaticMode;
    settings.currentSetName = currentSetName;
    settings.setList = setList;
    settings.carrierIdMax = carrierIdMax;
    settings.csvDelimiter = csvDelimiter;
    settings.selectAll = selectAll;
    settings.pageSelected = pageSelected;
    settings.asciiFormat = asciiFormat;
    settings.pageText = pageText;
    settings.pageDefault = pageDefault;
    settings.manualCarrierIdOffset = manualCarrierIdOffset;
    settings.manualCarrierIdLength = manualCarrierIdLength;
    settings.manualCarrierId = manualCarrierId;
    settings.manualLog = manualLog;
    settings.manualTypeTi = manualTypeTi;
    settings.manualTypeOrvex = manualTypeOrvex;
    settings.manualLogFileName = manualLogFileName;
    return settings;
}

// The page texts in both formats, as of start-up.
void CQV58Dlg::fillKeptTexts()
{
    for (std::size_t i = 0; i < pageText.size(); ++i) {
        if (asciiFormat) {
            hexTextKept[i] = asciiTextToHexText(pageText[i]);
            asciiTextKept[i] = pageText[i];
        } else {
            hexTextKept[i] = pageText[i];
            asciiTextKept[i] = hexTextToAsciiText(pageText[i]);
        }
    }
}

void CQV58Dlg::openPort()
{
    m_readerPort.setWorkingDirectory(workingDirectory);
    readerActivity.forget();
    portOpen = false;
    portHandle = m_readerPort.Open(interfaceSettings);
    portOpen = isUsablePort(portHandle);
    if (!portOpen)
        showMessage(openFailedMessage(interfaceSettings.portName, m_readerPort.openFailure(), m_portListSource),
                    kPortErrorCaption, MessageIcon::Stop);
}

// The controls as the window is built: fixed texts and the buttons that start
// disabled. The data-source commands and the default and cancel buttons have
// no widget, so there is nothing to hide.
void CQV58Dlg::setUpControls()
{
    for (std::size_t i = 0; i < controlCount(); ++i) {
        const ControlInfo &info = controlInfo(controlAt(i));
        if (!info.caption.empty() && controlAccepts(info.kind, ControlOperation::Text))
            m_view.setText(info.id, std::string(info.caption));
    }
    m_view.setEnabled(Control::ContOnButton, false);
    m_view.setEnabled(Control::StopButton, false); // until an operation waits for the reader
    m_view.setVisible(Control::TraceView, false);
    m_view.setEnabled(Control::OpenButton, false);
}

void CQV58Dlg::colourControls()
{
    for (std::size_t i = 0; i < controlCount(); ++i) {
        const ControlInfo &info = controlInfo(controlAt(i));
        if (info.kind != ControlKind::Label || info.id == Control::LogFileLabel)
            continue;
        m_view.setTextColour(info.id, colour::White);
        m_view.setBackground(info.id, colour::Black);
    }
    for (int page = 1; page <= kPageCount; ++page)
        m_view.setBackground(pageBox(page), colour::White);
    for (const Control box : {Control::ManualCarrierIdOffsetBox, Control::ManualCarrierIdLengthBox,
                              Control::ManualCarrierIdBox, Control::NextBox, Control::MaxBox, Control::UidBox})
        m_view.setBackground(box, colour::White);
}

void CQV58Dlg::showSwitchImages()
{
    m_view.setSwitchImage(Control::SelectAll, selectAll);
    for (int page = 1; page <= kPageCount; ++page)
        m_view.setSwitchImage(pageSelectBox(page), pageSelected[pageIndex(page)]);
    showFormatSwitches();
    showModeSwitches();
    showFamilySwitches();
    m_view.setSwitchImage(Control::LogSwitch, manualLog);
    m_view.setSwitchImage(Control::TraceSwitch, traceShown);
}

} // namespace teb
