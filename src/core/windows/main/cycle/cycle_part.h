#pragma once

#include "windows/main/cqv58_dlg_view.h"
#include "windows/main/dialog_host.h"
#include "windows/main/job/job_part.h"
#include "windows/main/link/link_part.h"
#include "windows/main/operation/running_operation.h"
#include "windows/main/pages/page_reader.h"
#include "windows/main/pages/pages_part.h"
#include "windows/main/reader_watch.h"
#include "windows/main/result/result_part.h"
#include "windows/main/run_state.h"
#include "automatic/automatic_cycle.h"
#include "reader/protocol_file.h"

#include <functional>
#include <optional>
#include <string>

namespace teb {

inline constexpr std::string_view kOneProtocolLine = "One";

// Automatic mode's cycle: "One" and the 10 ms tick that runs it, the
// cycle's reader steps and record, its outcome taken into the job and the
// page boxes, PASS or FAIL for the operator, the protocol line after it,
// and the hidden commands of the CSV sources.
class CyclePart {
public:
    // The window as the cycle sees it.
    struct Window {
        std::function<void()> takeFromControls;
        std::function<void()> showInControls;
        // Whether pages are written right after the UID.
        std::function<bool()> writesWithUid;
    };
    // The parts a cycle works with.
    struct Parts {
        LinkPart &link;
        JobPart &job;
        PagesPart &pages;
        PageReader &reader;
        ResultPart &result;
        ReaderWatch &watch;
        RunningOperation &operation;
    };

    CyclePart(CQV58DlgView &view, DialogHost &dialogs, Parts parts, RunState &run, Window window)
        : m_view(view), m_dialogs(dialogs), m_parts(parts), m_run(run), m_window(std::move(window))
    {
    }

    // The window as the automatic cycle sees it (cycle_station.h).
    class Station;

    void one();  // "One": a cycle at the next 10 ms tick
    void tick(); // the 10 ms tick
    bool runContinuous(); // "Cont On"'s cycle: true when it passed
    // One automatic cycle as "One" runs it, through `station` in place of the
    // window's own steps (a benchmark wraps them to time each).
    void runThrough(CycleStation &station);
    // One step of the automatic cycle, run by the 10 ms tick when requested.
    void setStep(std::function<void()> step) { m_step = std::move(step); }
    void csvCommand(Control id); // the hidden commands of the CSV sources
    // "Check transponder": the cycle cut off on this transponder finished
    // from what it holds, its outcome shown without boxes.
    CycleOutcome finish(const JournalEntry &unfinished, CycleTrack &track);

    // The pages as the boxes show them; a box that holds no eight bytes gives the set's.
    PageImage pagesForPlacement() const;
    // The UID on the antenna, read first in every cycle and before a carrier ID is
    // reserved by hand; none when it could not be read.
    std::optional<std::string> readUid();

private:
    void runOneCycle(); // the cycle, its deferred messages, its protocol line
    void runAutomaticCycle();
    void deferError(std::string text);
    CycleInput cycleInput() const;
    void takeCycleOutcome(const CycleOutcome &outcome);
    void takeCycleResult(const CycleTrack &track, const std::optional<JournalEntry> &entry);
    void takeRow(const TakenRow &taken);
    void showNotice(const Notice &notice); // its text in a box of its level
    // The cycle's reader steps after the UID, and its record.
    PagesWritten writePages(const PageImage &pages, const PageDisplay::PageFlags &selection, const std::string &uid);
    int lockPages(const PageDisplay::PageFlags &locked);
    TagReading readTransponder(const PageDisplay::PageFlags &pages);
    bool appendRecord(); // false when the record file could not be written

    CQV58DlgView &m_view;
    DialogHost &m_dialogs;
    Parts m_parts;
    RunState &m_run;
    Window m_window;
    std::function<void()> m_step;
    ProtocolFile m_protocolFile;
    bool m_oneHeldUntilTick = false; // "One" waits for the tick after a cycle
};

} // namespace teb
