#pragma once

#include "app/main_window_control.h"
#include "app/main_window_view.h"
#include "params/parameter_set.h"
#include "params/station_settings.h"
#include "reader/date_time_stamp.h"
#include "reader/reader_port.h"
#include "reader/time_base.h" // kStartTimeBase
#include "records/record_entry.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace teb {

static_assert(kPageCount == pageCount);

// Timers of the main window.
inline constexpr int kCycleTimerId = 3;
inline constexpr std::chrono::milliseconds kCycleTimerPeriod{10};
inline constexpr int kRequestTimerId = 5;
inline constexpr std::chrono::milliseconds kRequestTimerPeriod{500};

// Window sizes with the terminal hidden and shown.
inline constexpr int kNarrowWindowWidth = 799;
inline constexpr int kWideWindowWidth = 1120;
inline constexpr int kWindowHeight = 461;


inline constexpr std::string_view kWindowTitle = "Tag Encoder Bench";
inline constexpr std::string_view kPortErrorCaption = "Error";
inline constexpr std::string_view kPortOpenFailedSuffix = " could not be opened!";
inline constexpr std::string_view kPortCloseFailedText = "Can't close COM Port.";
// Shown on the way out when the settings file could not be replaced (it is then left as it was).
inline constexpr std::string_view kSettingsNotSavedText =
    "The settings could not be saved in TagEncoderBench.ini.\r\nThe file was left as it was.";

// The main window: the station's whole run-time state as plain fields and its
// handlers as operations. It reaches its window only through the view.
class CQV58Dlg {
public:
    using PageTexts = std::array<std::string, kPageCount>; // index n-1 for page n
    using PageFlags = std::array<bool, kPageCount>;
    using DirectorySource = std::function<std::filesystem::path()>;

    // The view must outlive the window model. The directory source gives the
    // process's current directory at start-up; tests hand in their own.
    explicit CQV58Dlg(MainWindowView &view, DirectorySource currentDirectory = defaultDirectorySource());
    CQV58Dlg(const CQV58Dlg &) = delete;
    CQV58Dlg &operator=(const CQV58Dlg &) = delete;

    static DirectorySource defaultDirectorySource();

    // --- start-up and the ways out
    bool initialise();
    void destroy();        // every way out: settings written, timers stopped
    void closeRequest();   // the close box: the port is closed first
    void exit();           // "File" / "Exit"
    void escape();         // Escape outside the boxes that take Enter
    void defaultAction();  // Enter outside the boxes that take Enter

    // --- menu, clicks, Enter, ticks as the view reports them
    void menuCommand(MenuItem item);
    // A button, switch or selection box was clicked. For switches and
    // selection boxes the view has already flipped the check state.
    void clicked(Control id);
    // Enter in an edit box that reports it (page boxes, command line, ...).
    void enterPressed(Control id);
    void tick(int timerId); // timers 3 and 5
    void tick10ms();
    void tick500ms();

    // --- menu commands
    void toggleTerminal();
    void clearTerminal();
    void openDeviceManager();
    void showInfo();
    void runInterfaceSettings();

    // --- fields and controls
    void takeFromControls();
    void showInControls();
    void showLogFileName();

    // --- modes, formats, selection, manual group switches
    void refreshModeView();
    void switchToAutomatic();
    void switchToManual();
    void showAscii();
    void showHex();
    void selectAllClicked();
    void pageSelectClicked(int page);
    void tiClicked();
    void orvexClicked();
    void logClicked();

    // --- Enter in the boxes that report it
    void pageEntered(int page);
    void terminalEntered();
    void sendClicked();    // "Send": the command line to the reader

    // --- manual page operations, carrier ID, manual log and record file
    void readUidClicked();
    void readPagesClicked();
    void writePagesClicked();
    void lockPagesClicked();
    void loadDefaultContent();
    void readCarrierIdClicked();
    void writeCarrierIdClicked();
    void checkCarrierIdLength();
    void focusLost(Control id);
    void chooseManualLogFile();
    // Also run by the automatic cycle, which then reads errorCount (0: success).
    void writePages();
    void lockPages();
    // One record of the automatic cycle; false when the record file could not be written.
    bool appendRecord();
    void appendManualLog(records::ManualLogKind kind);

    // "Log" and "Open" switch the window's default action off until it closes.
    void disableDefaultAction() { defaultActionEnabled = false; }
    // Where "Interface" / "Settings" finds the COM ports to list.
    void setPortListSource(CI2Dlg::PortListSource source) { m_portListSource = std::move(source); }
    // One step of the automatic cycle, run by the 10 ms tick when requested.
    void setCycleStep(std::function<void()> step) { m_cycleStep = std::move(step); }

    MainWindowView &view() { return m_view; }
    ReaderPort &readerPort() { return m_readerPort; }

    // --- files and interface
    std::filesystem::path workingDirectory;
    InterfaceSettings interfaceSettings; // portName, baudRate, dataBits and the three codes
    bool portOpen = false;
    PortHandle portHandle = kNoPort;
    std::int32_t timeBase = kStartTimeBase;

    // --- job
    SetList setList;
    std::string currentSetName;
    ParameterSet currentSet;
    std::string nextCarrierId;
    std::string carrierIdMax;
    std::string csvDelimiter = ",";
    std::uint64_t programmedCount = 0;

    // --- display
    bool automaticMode = false;
    bool asciiFormat = false;
    bool selectAll = false;
    PageFlags pageSelected{};
    PageTexts pageText;
    PageTexts pageDefault;
    PageTexts hexTextKept;
    PageTexts asciiTextKept;
    bool terminalVisible = false;
    std::string terminalText;
    std::string terminalInput;
    std::string uidText;

    // --- manual group
    std::string manualCarrierIdOffset;
    std::string manualCarrierIdLength;
    std::string manualCarrierId;
    bool manualLog = false;
    bool manualTypeTi = true;
    bool manualTypeOrvex = false;
    std::string manualLogFileName;
    std::string manualLogFileShown;

    // --- requests and run state
    bool cycleRequested = false;
    bool jobHeaderPending = true;
    bool errorPending = false;
    std::string errorText;
    PageFlags pageFocusRequest{};
    bool focusOneRequest = false;
    bool defaultActionEnabled = true;
    int errorCount = 0;         // failed steps of the current operation; 0 = success
    PageFlags pageSucceeded{};  // per page: read or written in the last read or write
    WallClock wallClock = systemWallClock(); // the stamp of record and log entries

private:
    int windowWidth() const;
    void takeOverSettings(const StationSettings &settings);
    StationSettings settingsToSave() const;
    void fillKeptTexts();
    void openPort();
    void setUpControls();
    void colourControls();
    void showSwitchImages();
    void switchMode(bool automatic);
    void showFormat(bool ascii);
    void showFormatSwitches();
    void showModeSwitches();
    void refreshAutomaticView();
    void refreshManualView();
    void setManualGroupShown(bool shown);
    void setCarrierIdRangeActive(bool active);
    void rebuildPageTextsFromSet();
    void convertPageTexts(bool toAscii);
    void moveFocusThroughPageBoxes();
    void showFamilySwitches();
    void showMessage(std::string text, std::string_view caption, MessageIcon icon);
    template <typename Operation>
    void runOnPages(Operation operation);
    records::RecordEntry entryOfPages(bool uidShown, bool onlySucceeded) const;

    MainWindowView &m_view;
    DirectorySource m_currentDirectory;
    ReaderPort m_readerPort;
    std::function<void()> m_cycleStep;
    CI2Dlg::PortListSource m_portListSource;
};

} // namespace teb
