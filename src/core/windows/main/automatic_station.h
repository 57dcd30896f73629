#pragma once

#include "windows/main/cycle_result.h"
#include "automatic/automatic_cycle.h"

namespace teb {

class CQV58Dlg;

// The main window as the automatic cycle sees it: its UID read, page write
// and lock, its journal, CSV and record files, its controls and message
// boxes. What the cycle
// came to is noted in its track.
class AutomaticStation final : public CycleStation {
public:
    AutomaticStation(CQV58Dlg &window, CycleTrack &track) : m_window(window), m_track(track) {}

    void notify(const Notice &notice) override;
    TransponderHistory historyOf(const std::string &uid) override;
    JournalEntry reserve(const JournalEntry &entry) override;
    void finish(std::int64_t id, CycleState state) override;
    bool isHeld(const std::string &carrierId) override;
    std::uint64_t firstFreeNumber(std::uint64_t from, std::size_t length) override;
    std::uint64_t fixedDataCount(const std::string &setName, std::int64_t job) override;
    std::optional<TakenRow> takeCsvRow(const CsvFile &file, CsvFormat format, const ParameterSet &set,
                                       const PageImage &pages, const CarrierIdFilter &offered) override;
    bool markCsvRow(const JournalEntry &entry) override;
    void markProgrammedRows() override;
    std::optional<std::string> readUid() override;
    PagesWritten writePages(const CycleOutcome &soFar, const std::string &uid) override;
    int lockPages(const PageFlagArray &locked) override;
    bool appendRecord(const CycleOutcome &programmed) override;
    void show(const CycleOutcome &soFar) override;
    void enableAfterRecordFailure() override;
    void clearPageResultColours() override;

private:
    CarrierIdJournal &journal();

    CQV58Dlg &m_window;
    CycleTrack &m_track;
};

} // namespace teb
