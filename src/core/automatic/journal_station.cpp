#include "automatic/journal_station.h"

namespace teb {

TransponderHistory JournalStation::historyOf(const std::string &uid) { return journal().historyOf(uid); }

JournalEntry JournalStation::reserve(const JournalEntry &entry) { return journal().reserve(entry); }

FirstFreeReservation JournalStation::reserveFirstFree(const std::string &uid, const std::vector<JournalEntry> &offered)
{
    return journal().reserveFirstFree(uid, offered);
}

void JournalStation::finish(std::int64_t id, CycleState state) { journal().finish(id, state); }

bool JournalStation::isHeld(const std::string &carrierId, const std::string &pagesHex)
{
    return journal().holderOf(carrierId, pagesHex).has_value();
}

bool JournalStation::arePagesHeld(const std::string &pagesHex)
{
    return journal().holderOfPages(pagesHex).has_value();
}

std::uint64_t JournalStation::firstFreeNumber(std::uint64_t from, std::size_t length)
{
    return journal().firstFreeNumber(from, length);
}

std::uint64_t JournalStation::fixedDataCount(const std::string &setName, std::int64_t job)
{
    return journal().fixedDataCount(setName, job);
}

std::optional<std::string> JournalStation::lastCounterPageValue(const std::string &setName,
                                                               const std::string &counterStart)
{
    return journal().lastCounterPageValue(setName, counterStart);
}

std::optional<TakenRow> JournalStation::takeCsvRow(const CsvFile &file, CsvFormat format, const ParameterSet &set,
                                                   const PageImage &pages, const CarrierIdFilter &offered)
{
    if (format == CsvFormat::Complete)
        return nextComplete(file, pages, *this, offered);
    return nextDataSet(file, set, pages, *this, offered);
}

bool JournalStation::markCsvRow(const JournalEntry &entry) { return markJournalRow(journal(), entry); }

// Sent with the next reservation: a note lost to a failure or a power cut
// only makes the next start look the record up in the file.
void JournalStation::noteRecorded(std::int64_t entryId) { journal().noteRecordedLater(entryId); }

void JournalStation::markProgrammedRows() { teb::markProgrammedRows(journal()); }

} // namespace teb
