#pragma once

#include "windows/main/cycle/cycle_part.h"
#include "windows/main/cycle_result.h"
#include "automatic/journal_station.h"

namespace teb {

// The main window as the automatic cycle sees it: its UID read, page write
// and lock, its journal, CSV and record files, its controls and message
// boxes. What the cycle came to is noted in its track.
class CyclePart::Station : public JournalStation {
public:
    // `boxes` false: the cycle's messages are only noted, for a window that tells the result itself.
    Station(CyclePart &cycle, CycleTrack &track, bool boxes = true) : m_cycle(cycle), m_track(track), m_boxes(boxes) {}

    void notify(const Notice &notice) override;
    std::optional<std::string> readUid() override;
    PagesWritten writePages(const CycleOutcome &soFar, const PageImage &image, const PageFlagArray &pages,
                            const std::string &uid) override;
    int lockPages(const PageFlagArray &locked) override;
    TagReading readTransponder(const PageFlagArray &pages) override;
    bool appendRecord(const CycleOutcome &programmed) override;
    void show(const CycleOutcome &soFar) override;
    void enableAfterRecordFailure() override;
    void clearPageResultColours() override;

private:
    CarrierIdJournal &journal() override;

    CyclePart &m_cycle;
    CycleTrack &m_track;
    bool m_boxes;
};

} // namespace teb
