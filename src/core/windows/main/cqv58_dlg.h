#pragma once

#include "windows/main/continuous/continuous_part.h"
#include "windows/main/cqv58_dlg_events.h"
#include "windows/main/cqv58_dlg_view.h"
#include "windows/main/cycle/cycle_part.h"
#include "windows/main/dialog_gate.h"
#include "windows/main/dialog_host.h"
#include "windows/main/job/job_part.h"
#include "windows/main/link/link_part.h"
#include "windows/main/manual/manual_part.h"
#include "windows/main/mode/mode_part.h"
#include "windows/main/operation/running_operation.h"
#include "windows/main/pages/page_reader.h"
#include "windows/main/pages/pages_part.h"
#include "windows/main/reader_watch.h"
#include "windows/main/result/result_part.h"
#include "windows/main/run_state.h"
#include "windows/main/terminal/terminal_part.h"
#include "params/station_settings.h"
#include "reader/date_time_stamp.h"
#include "reader/reader_port.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace teb {

// Shown on the way out when the settings file could not be replaced (it is then left as it was).
inline constexpr std::string_view kSettingsNotSavedText =
    "The settings could not be saved in TagEncoderBench.ini.\r\nThe file was left as it was.";
// Shown at start-up when the current directory cannot be read (it was removed).
inline constexpr std::string_view kNoWorkingDirectoryText =
    "The working directory could not be read.\r\nThe station starts with its default settings.";

// The main window: the station's run-time state in parts, each a value of its
// own, and its handlers as operations. It reaches its window only through the view and
// the dialog host, and hears from it through CQV58DlgEvents.
class CQV58Dlg final : public CQV58DlgEvents {
public:
    using DirectorySource = std::function<std::filesystem::path()>;

    // The view and the dialog host must outlive the window model. The
    // directory source gives the process's current directory at start-up
    // (empty when it cannot be read); tests hand in their own.
    CQV58Dlg(CQV58DlgView &view, DialogHost &dialogs, DirectorySource currentDirectory = defaultDirectorySource());
    CQV58Dlg(const CQV58Dlg &) = delete;
    CQV58Dlg &operator=(const CQV58Dlg &) = delete;

    static DirectorySource defaultDirectorySource();

    // --- events from the view (CQV58DlgEvents). While one runs, others
    // are dropped; received lines are taken from the inbox whenever the
    // window is woken for them.
    bool initialise() override;
    void destroy() override;        // every way out, once: settings written, timers stopped
    void closeRequest() override;   // the close box: the port is closed first
    void escape() override;
    void defaultAction() override;
    void menuCommand(MenuItem item) override;
    void clicked(Control id) override;
    void enterPressed(Control id) override;
    void focusLost(Control id) override;
    void spinStep(Control spin, SpinDirection direction) override;
    void tick(int timerId) override; // timers 3 and 5
    void inboxPosted() override;

    // Where "Interface" / "Settings" finds the COM ports to list.
    void setPortListSource(CI2Dlg::PortListSource source) { m_link.setPortListSource(std::move(source)); }
    // The clock that stamps records, log entries, the trace and the status strip.
    void setWallClock(WallClock clock) { m_run.wallClock = std::move(clock); }
    // The automatic cycle, for a test or benchmark that steps or wraps it.
    CyclePart &cycle() { return m_cycle; }

    // The window's state, part by part, for those who look on.
    const LinkState &link() const { return m_link.state(); }
    const JobState &job() const { return m_job.state(); }
    const PageDisplay &pages() const { return m_pages.state(); }
    const ManualGroup &manual() const { return m_manual.state(); }
    const TerminalState &terminal() const { return m_terminal.state(); }
    const RunState &run() const { return m_run; }
    const ContinuousPart &continuous() const { return m_continuous; }
    const ResultPart &result() const { return m_result; }

    ReaderPort &readerPort() { return m_link.port(); }

private:
    // --- one event at a time, routed to the part that owns its control
    template <typename Handler>
    void runEvent(Handler handler);
    void routeClick(Control id);
    void routeEnter(Control id);
    void drainInbox(); // the reader's lines that came meanwhile
    void tick500ms();

    // --- the window's life
    void startUp();
    void shutDown();
    void takeOverSettings(const StationSettings &settings);
    StationSettings settingsToSave() const;
    void showSwitchImages();
    void exit();         // "File" / "Exit"
    void cancelWindow(); // Escape, outside an operation
    void closeWithPort();
    void focusOne();     // the default action

    // --- what spans several parts
    void takeFromControls();
    void showInControls();
    void showStatus();    // the status strip: port, reader, set, journal
    void clearTerminal(); // "Terminal" / "Clear"
    void runConfig();     // "Config": the editor, and its result taken over

    RunState m_run;

    CQV58DlgView &m_view;
    DialogGate m_dialogGate; // shut while a stopped operation winds down after the close box
    TerminalPart m_terminal{m_view, m_dialogGate};
    ResultPart m_result{m_view};
    PagesPart m_pages{m_view, m_dialogGate,
                      {[this]() -> const ParameterSet & { return m_job.state().currentSet; }, [this] { takeFromControls(); },
                       [this] { showInControls(); }}};
    DirectorySource m_currentDirectory;
    RunningOperation m_operation{{[this](bool offered) { m_view.setEnabled(Control::StopButton, offered); },
                                  [this] { return m_view.takeInterrupts(); }},
                                 m_dialogGate};
    bool m_destroyed = false;
    LinkPart m_link{m_view, m_dialogGate, m_terminal, {[this] { takeFromControls(); }, [this] { showInControls(); }}};
    ReaderWatch m_readerWatch{m_run.wallClock, m_link.activity(), m_terminal.trace(),
                              {[this] { return !m_operation.stopRequested(); }, [this] { return m_operation.whileReaderAnswers(); },
                               [this] { m_terminal.showTrace(); }}};
    JobPart m_job; // wired in the constructor
    ContinuousPart m_continuous{m_view, m_dialogGate, m_link, m_readerWatch,
                                {[this] { return m_pages.state().automaticMode; }, [this](const std::string &uid) { return m_job.transponderDone(uid); },
                                 [this] { return m_cycle.runContinuous(); }}};
    PageReader m_reader{m_view, m_dialogGate, m_link, m_terminal, m_readerWatch, m_pages,
                        {[this] { showInControls(); }, [this](const std::string &id) { m_manual.carrierIdFound(id); }}};
    ManualPart m_manual{m_view, m_dialogGate, m_link, m_pages, m_reader, m_run,
                        {[this] { takeFromControls(); }, [this] { showInControls(); },
                         [this]() -> const ParameterSet & { return m_job.state().currentSet; },
                         [this] { return m_job.state().workingDirectory; },
                         [this](ManualCarrierIdWrite &manual) { return m_job.prepareManualCarrierId(manual); },
                         [this](ManualCarrierIdWrite &manual) { return m_job.manualReservation(manual); },
                         [this](const ManualCarrierIdWrite &manual, const CarrierIdWrite &write) {
                             m_job.concludeManualCarrierId(manual, write);
                         }}};
    CyclePart m_cycle{m_view, m_dialogGate,
                      {m_link, m_job, m_pages, m_reader, m_result, m_readerWatch, m_operation},
                      m_run,
                      {[this] { takeFromControls(); }, [this] { showInControls(); },
                       [this] { return m_manual.writesWithUid(); }}};
    ModePart m_mode{m_view, {m_pages, m_manual, m_result, m_continuous, m_job},
                    {[this] { takeFromControls(); }, [this] { showInControls(); }}};
};

} // namespace teb
