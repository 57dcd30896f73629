#include "windows/main/automatic_station.h"

#include "windows/main/cqv58_dlg.h"

namespace teb {

void AutomaticStation::notify(const Notice &notice)
{
    m_track.notices.emplace_back(notice.text);
    m_window.showNotice(notice);
}

// The cycle asks only once it knows the journal is open.
CarrierIdJournal &AutomaticStation::journal()
{
    if (!m_window.m_job.journal)
        throw JournalError(m_window.m_job.journalProblem);
    return *m_window.m_job.journal;
}

TransponderHistory AutomaticStation::historyOf(const std::string &uid) { return journal().historyOf(uid); }

JournalEntry AutomaticStation::reserve(const JournalEntry &entry) { return journal().reserve(entry); }

void AutomaticStation::finish(std::int64_t id, CycleState state) { journal().finish(id, state); }

bool AutomaticStation::isHeld(const std::string &carrierId) { return journal().holderOf(carrierId).has_value(); }

std::uint64_t AutomaticStation::firstFreeNumber(std::uint64_t from, std::size_t length)
{
    return journal().firstFreeNumber(from, length);
}

std::uint64_t AutomaticStation::fixedDataCount(const std::string &setName, std::int64_t job)
{
    return journal().fixedDataCount(setName, job);
}

std::optional<TakenRow> AutomaticStation::takeCsvRow(const CsvFile &file, CsvFormat format, const ParameterSet &set,
                                                     const PageImage &pages, const CarrierIdFilter &offered)
{
    if (format == CsvFormat::Complete)
        return nextComplete(file, pages, *this, offered);
    return nextDataSet(file, set, pages, *this, offered);
}

bool AutomaticStation::markCsvRow(const JournalEntry &entry) { return markJournalRow(journal(), entry); }

void AutomaticStation::markProgrammedRows() { teb::markProgrammedRows(journal()); }

std::optional<std::string> AutomaticStation::readUid()
{
    m_track.uid = m_window.readUidForCycle();
    return m_track.uid;
}

PagesWritten AutomaticStation::writePages(const CycleOutcome &soFar, const std::string &uid)
{
    show(soFar); // the page boxes show what is written
    return m_window.writePagesForCycle(soFar.pages, uid);
}

int AutomaticStation::lockPages(const PageFlagArray &locked)
{
    const int errorCount = m_window.lockPagesForCycle(locked);
    m_track.programmed = errorCount == 0; // the last step on the tag
    return errorCount;
}

bool AutomaticStation::appendRecord(const CycleOutcome &programmed)
{
    show(programmed); // the record holds what the window shows
    return m_window.appendRecord();
}

void AutomaticStation::show(const CycleOutcome &soFar)
{
    m_window.takeCycleOutcome(soFar);
    m_window.showInControls();
    m_window.view().repaintWindow();
}

void AutomaticStation::enableAfterRecordFailure() { m_window.enableAfterRecordFailure(); }

void AutomaticStation::clearPageResultColours() { m_window.clearPageResultColours(); }

} // namespace teb
