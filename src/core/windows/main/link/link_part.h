#pragma once

#include "windows/interface_settings/ci2_dlg.h"
#include "windows/main/cqv58_dlg_view.h"
#include "windows/main/dialog_host.h"
#include "windows/main/link/link_state.h"
#include "windows/main/receive_inbox.h"
#include "windows/main/terminal/terminal_part.h"
#include "reader/date_time_stamp.h"
#include "reader/reader_port.h"
#include "reader/reader_transaction.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace teb {

inline constexpr std::string_view kPortErrorCaption = "Error";
inline constexpr std::string_view kPortCloseFailedText = "Can't close COM Port.";

// The main window's link to its reader: the port and its settings, the time
// base, what the reader last did, a port that hung up and came back, the
// status strip and "Interface" / "Settings". It keeps its state and puts it
// on the view itself.
class LinkPart {
public:
    // What "Interface" / "Settings" asks of the window around its dialog.
    struct Window {
        std::function<void()> takeFromControls;
        std::function<void()> showInControls;
    };
    // What the status strip tells besides the link: the set and the journal.
    struct Job {
        std::string setName;
        std::string journalLocation;
        std::string journalServer;
    };

    LinkPart(CQV58DlgView &view, DialogHost &dialogs, TerminalPart &terminal, Window window);

    const LinkState &state() const { return m_state; }
    bool portOpen() const { return m_state.portOpen; }
    ReaderPort &port() { return m_port; }
    ReaderActivity &activity() { return m_state.readerActivity; }
    // Where "Interface" / "Settings" finds the COM ports to list.
    void setPortListSource(CI2Dlg::PortListSource source) { m_portListSource = std::move(source); }

    // One reader operation on the link, with its own copy of the time base;
    // keepTimeBase takes back what the operation found.
    ReaderSession session(TerminalSink *terminal, TransactionWatch *watch);
    void keepTimeBase(const ReaderSession &session) { m_state.timeBase = session.timeBase; }

    // Start-up: the settings file's port, opened in the working directory
    // (a box says why it did not open); the way out closes it.
    void takeSettings(const InterfaceSettings &settings) { m_state.interfaceSettings = settings; }
    const InterfaceSettings &settings() const { return m_state.interfaceSettings; }
    void open(const std::filesystem::path &workingDirectory);
    void close();
    // The terminal line to the reader; false when it was not written.
    bool send(const std::string &line);
    // "Send", or Enter in the command line: the line to the reader, its
    // echo and the trace stamped by `clock`.
    void sendClicked(const WallClock &clock);
    void terminalEntered(const WallClock &clock);
    // The 500 ms tick: a port that hung up is closed, and opened again once its device is back.
    void watch();
    void runInterfaceSettings();
    void showDevices() { m_dialogs.showDeviceList(); }
    // After a reader button: a box when the port is not open.
    void sayWhenClosed();
    void showStatus(const Job &job);
    // The lines the reader sent while no operation ran, onto the terminal
    // and the trace, stamped by `clock`; false when there were none.
    bool takeReceivedLines(const WallClock &clock);

private:
    class InterfaceHost;

    void closeLost();
    void reopenReturned();

    CQV58DlgView &m_view;
    DialogHost &m_dialogs;
    TerminalPart &m_terminal;
    Window m_window;
    LinkState m_state;
    std::filesystem::path m_workingDirectory;
    CI2Dlg::PortListSource m_portListSource;
    std::array<std::string, 3> m_statusShown; // the strip's port, reader and job texts
    ReceiveInbox m_inbox; // before the port: the receive thread ends first
    ReaderPort m_port;
};

} // namespace teb
