#pragma once

#include "windows/main/cycle_result.h"
#include "automatic/automatic_cycle.h"

namespace teb {

class CQV58Dlg;

// The main window as the automatic cycle sees it: its UID read, page write
// and lock, its record file, its controls and message boxes. What the cycle
// came to is noted in its track.
class AutomaticStation final : public CycleStation {
public:
    AutomaticStation(CQV58Dlg &window, CycleTrack &track) : m_window(window), m_track(track) {}

    void notify(const Notice &notice) override;
    std::optional<std::string> readUid() override;
    PagesWritten writePages(const PageImage &pages, const std::string &uid) override;
    int lockPages(const PageFlagArray &locked) override;
    bool appendRecord() override;
    void show(const CycleOutcome &soFar) override;
    void enableAfterRecordFailure() override;
    void clearPageResultColours() override;

private:
    CQV58Dlg &m_window;
    CycleTrack &m_track;
};

} // namespace teb
