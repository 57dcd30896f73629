#pragma once

#include "windows/main/cqv58_dlg_view.h"
#include "windows/main/dialog_gate.h"
#include "windows/main/link/link_part.h"
#include "reader/reader_transaction.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace teb {

// "Cont On": automatic mode programs each new transponder as it arrives. The
// reader is asked for a UID at a steady pace; a transponder the journal
// holds as programmed or spoiled is left alone (one put back), any other
// gets one "One" cycle (one with an unfinished cycle is finished); then the
// station waits for it to leave. The first failed cycle, "Quantity
// reached.", any box or dialog and "Cont Off" end it.
class ContinuousPart {
public:
    // The window as "Cont On" sees it.
    struct Window {
        std::function<bool()> automaticMode;
        // The journal holds the transponder as done (programmed, or spoiled)
        // with no cycle left to finish; throws JournalError.
        std::function<bool(const std::string &uid)> done;
        // One "One" cycle on the transponder; true when it passed.
        std::function<bool()> runCycle;
    };

    ContinuousPart(CQV58DlgView &view, DialogGate &dialogs, LinkPart &link, TransactionWatch &watch, Window window)
        : m_view(view), m_dialogs(dialogs), m_link(link), m_watch(watch), m_window(std::move(window))
    {
    }

    bool on() const { return m_on; }
    void clicked(); // "Cont On" / "Cont Off"
    // "Cont Off" pressed while a cycle waits for the reader: it ends after the cycle.
    void offAfterCycle() { m_offRequested = m_on; }
    void stop();
    void tick(); // a look at the antenna, every kContinuousPollPeriod

private:
    void start();
    std::optional<std::string> pollUid();
    bool boxShownSinceStart() const { return m_dialogs.shown() != m_dialogsSeen; }

    CQV58DlgView &m_view;
    DialogGate &m_dialogs;
    LinkPart &m_link;
    TransactionWatch &m_watch;
    Window m_window;
    bool m_on = false;
    bool m_offRequested = false;
    std::string m_uidOnAntenna;  // the UID last seen on the antenna
    std::size_t m_dialogsSeen = 0; // how many boxes had shown when it started
};

} // namespace teb
