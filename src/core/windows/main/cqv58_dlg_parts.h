#pragma once

#include "windows/main/continuous/continuous_part.h"
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

namespace teb {

// The main window's parts, built and wired to each other in one place, and
// what spans several of them: every control's value taken and shown again,
// the settings in and out, the status strip, "Terminal" / "Clear" and
// "Config". The window model owns one and routes its events into it; each
// part keeps its own state private.
struct CQV58DlgParts {
    // The view and the dialog host must outlive the parts.
    CQV58DlgParts(CQV58DlgView &view, DialogHost &dialogs);
    CQV58DlgParts(const CQV58DlgParts &) = delete;
    CQV58DlgParts &operator=(const CQV58DlgParts &) = delete;

    void takeFromControls();
    void showInControls();
    void showStatus(); // the status strip: port, reader, set, journal
    void takeOverSettings(const StationSettings &settings);
    StationSettings settingsToSave() const;
    void showSwitchImages();
    void clearTerminal(); // "Terminal" / "Clear"
    void runConfig();     // "Config": the editor, and its result taken over

    CQV58DlgView &view;
    RunState run;
    DialogGate dialogGate; // shut while a stopped operation winds down after the close box
    TerminalPart terminal{view, dialogGate};
    ResultPart result{view};
    PagesPart pages{view, dialogGate,
                    {[this]() -> const ParameterSet & { return job.state().currentSet; }, [this] { takeFromControls(); },
                     [this] { showInControls(); }}};
    RunningOperation operation{{[this](bool offered) { view.setEnabled(Control::StopButton, offered); },
                                [this] { return view.takeInterrupts(); }},
                               dialogGate};
    LinkPart link{view, dialogGate, terminal, {[this] { takeFromControls(); }, [this] { showInControls(); }}};
    ReaderWatch readerWatch{run.wallClock, link.activity(), terminal.trace(),
                            {[this] { return !operation.stopRequested(); }, [this] { return operation.whileReaderAnswers(); },
                             [this] { terminal.showTrace(); }}};
    JobPart job; // wired in the constructor: it reaches the cycle and the manual group, built after it
    ContinuousPart continuous{view, dialogGate, link, readerWatch,
                              {[this] { return pages.state().automaticMode; },
                               [this](const std::string &uid) { return job.transponderDone(uid); },
                               [this] { return cycle.runContinuous(); }}};
    PageReader reader{view, dialogGate, link, terminal, readerWatch, pages,
                      {[this] { showInControls(); }, [this](const std::string &id) { manual.carrierIdFound(id); }}};
    ManualPart manual{view, dialogGate, link, pages, reader, run,
                      {[this] { takeFromControls(); }, [this] { showInControls(); },
                       [this]() -> const ParameterSet & { return job.state().currentSet; },
                       [this] { return job.state().workingDirectory; },
                       [this](ManualCarrierIdWrite &write) { return job.prepareManualCarrierId(write); },
                       [this](ManualCarrierIdWrite &write) { return job.manualReservation(write); },
                       [this](const ManualCarrierIdWrite &manualWrite, const CarrierIdWrite &write) {
                           job.concludeManualCarrierId(manualWrite, write);
                       }}};
    CyclePart cycle{view, dialogGate,
                    {link, job, pages, reader, result, readerWatch, operation},
                    run,
                    {[this] { takeFromControls(); }, [this] { showInControls(); }, [this] { return manual.writesWithUid(); }}};
    ModePart mode{view, {pages, manual, result, continuous, job}, {[this] { takeFromControls(); }, [this] { showInControls(); }}};
};

} // namespace teb
