#pragma once

#include "automatic/automatic_cycle.h"

// The part of a cycle's station that answers from the carrier-ID journal and
// the set's CSV file; the reader and the window are left to the station built
// on it.
namespace teb {

class JournalStation : public CycleStation {
public:
    TransponderHistory historyOf(const std::string &uid) override;
    JournalEntry reserve(const JournalEntry &entry) override;
    FirstFreeReservation reserveFirstFree(const std::string &uid, const std::vector<JournalEntry> &offered) override;
    void finish(std::int64_t id, CycleState state) override;
    bool isHeld(const std::string &carrierId, const std::string &pagesHex) override;
    bool arePagesHeld(const std::string &pagesHex) override;
    std::uint64_t firstFreeNumber(std::uint64_t from, std::size_t length) override;
    std::uint64_t fixedDataCount(const std::string &setName, std::int64_t job) override;
    std::optional<std::string> lastCounterPageValue(const std::string &setName,
                                                    const std::string &counterStart) override;
    std::optional<TakenRow> takeCsvRow(const CsvFile &file, CsvFormat format, const ParameterSet &set,
                                       const PageImage &pages, const CarrierIdFilter &offered) override;
    bool markCsvRow(const JournalEntry &entry) override;
    void noteRecorded(std::int64_t entryId) override;
    void markProgrammedRows() override;

protected:
    // The journal the cycle uses; it asks only once it knows one is open.
    virtual CarrierIdJournal &journal() = 0;
};

} // namespace teb
