#pragma once

#include "windows/main/cqv58_dlg_events.h"
#include "windows/main/cqv58_dlg_parts.h"
#include "windows/main/cqv58_dlg_view.h"
#include "windows/main/dialog_host.h"
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

// The main window: its life (start-up, settings, the way out) and the routing
// of each event to the part that owns its control. The parts themselves, and
// what spans several of them, are in CQV58DlgParts. It reaches its window only
// through the view and the dialog host, and hears from it through CQV58DlgEvents.
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
    void setPortListSource(CI2Dlg::PortListSource source) { m_parts.link.setPortListSource(std::move(source)); }
    // The clock that stamps records, log entries, the trace and the status strip.
    void setWallClock(WallClock clock) { m_parts.run.wallClock = std::move(clock); }
    // The automatic cycle and the port, for a test or benchmark that steps, wraps or drives them.
    CyclePart &cycle() { return m_parts.cycle; }
    ReaderPort &readerPort() { return m_parts.link.port(); }

    // The window's parts, for those who look on: each shows its state through state().
    const CQV58DlgParts &parts() const { return m_parts; }

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
    void exit();         // "File" / "Exit"
    void cancelWindow(); // Escape, outside an operation
    void closeWithPort();
    void focusOne();     // the default action

    CQV58DlgView &m_view;
    CQV58DlgParts m_parts;
    DirectorySource m_currentDirectory;
    bool m_destroyed = false;
};

} // namespace teb
