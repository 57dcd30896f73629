#include "history/record_rebuild.h"

#include "automatic/csv_lines.h"
#include "records/record_entry.h"
#include "records/record_files.h"
#include "records/workbook_skeleton.h"
#include "transponder/byte_text.h"
#include "transponder/page_text.h"

#include <ctime>
#include <unordered_set>

namespace teb {
namespace {

constexpr std::size_t kPageRows = 1000;

// The time an entry's cycle ended, as its record's date and time.
WallClock clockAt(const std::string &localTime)
{
    std::tm fields{};
    if (!strptime(localTime.c_str(), "%Y-%m-%d %H:%M:%S", &fields))
        return systemWallClock();
    fields.tm_isdst = -1;
    const auto at = std::chrono::system_clock::from_time_t(std::mktime(&fields));
    return [at] { return at; };
}

records::RecordEntry recordOf(const JournalEntry &entry, const ParameterSet &set)
{
    std::array<bool, kPageCount> filled{};
    std::array<std::string, kPageCount> hexTexts;
    std::array<std::string, kPageCount> asciiTexts;
    ParameterSet locks = set;
    const std::vector<std::string_view> pages = splitCsvFields(entry.pagesHex, ",");
    for (std::size_t page = 0; page < kPageCount; ++page) {
        const std::string_view digits = page < pages.size() ? pages[page] : std::string_view();
        filled[page] = digits.size() == 16;
        if (filled[page]) {
            hexTexts[page] = groupedInPairs(digits);
            asciiTexts[page] = hexTextToAsciiText(hexTexts[page]);
        }
        locks.pages[page].locked = page < entry.pagesLocked.size() && entry.pagesLocked[page] == '1';
    }
    return records::makeEntry(entry.uid, filled, hexTexts, asciiTexts, locks);
}

std::unordered_set<std::int64_t> unrecordedIds(CarrierIdJournal &journal)
{
    std::unordered_set<std::int64_t> ids;
    for (const JournalEntry &entry : journal.unrecorded())
        ids.insert(entry.id);
    return ids;
}

TaskOutcome failedAt(const std::filesystem::path &file)
{
    return {TaskOutcome::End::Failed, "The record file " + file.string() +
                                          " could not be written (a new file is needed; an existing one is never "
                                          "written over)."};
}

} // namespace

// The same bytes as appending the records one by one to a new file: the
// skeleton's head, the job header, the records, the closing tail.
RecordFileBuild::RecordFileBuild(const std::filesystem::path &file, std::string_view setName, const ParameterSet &set)
    : m_file(file, StagedFile::Placing::NeverReplace), m_set(set)
{
    m_file.write(records::skeletonHead(records::WorkbookKind::RecordFile));
    m_file.write(records::jobHeaderRows(setName, set));
}

void RecordFileBuild::add(const JournalEntry &programmed)
{
    m_file.write(records::entryRows(recordOf(programmed, m_set), dateTimeStamp(clockAt(programmed.finishedAt))));
    ++m_written;
}

bool RecordFileBuild::place()
{
    m_file.write(records::closingTail());
    return m_file.place();
}

RecordRebuild rewriteRecordFile(const std::filesystem::path &file, std::string_view setName, const ParameterSet &set,
                                const std::vector<JournalEntry> &programmed)
{
    RecordFileBuild build(file, setName, set);
    for (const JournalEntry &entry : programmed)
        build.add(entry);
    const bool placed = build.place();
    return RecordRebuild{placed ? build.written() : 0, !placed};
}

TaskOutcome rebuildRecordFile(const CarrierIdJournal::Opener &openJournal, const std::filesystem::path &file,
                              const std::string &setName, const ParameterSet &set, std::stop_token stop,
                              TaskProgress &progress)
{
    RecordFileBuild build(file, setName, set);
    if (!build.good())
        return failedAt(file);
    const std::unique_ptr<CarrierIdJournal> journal = openJournal();
    progress.setTotal(journal->programmedCountOfSet(setName));
    const std::unordered_set<std::int64_t> unrecorded = unrecordedIds(*journal);
    std::vector<std::int64_t> recorded;
    for (std::int64_t after = 0;;) {
        if (stop.stop_requested())
            return {TaskOutcome::End::Cancelled, "Cancelled: no record file was written to " + file.string() + "."};
        const std::vector<JournalEntry> page = journal->programmedOfSet(setName, after, kPageRows);
        for (const JournalEntry &entry : page) {
            build.add(entry);
            if (unrecorded.contains(entry.id))
                recorded.push_back(entry.id);
        }
        progress.advance(page.size());
        if (page.size() < kPageRows)
            break;
        after = page.back().id;
    }
    if (!build.place())
        return failedAt(file);
    try {
        journal->noteRecorded(recorded);
    } catch (const JournalError &) {
        // Named again at the next start; the file is written all the same.
    }
    return {TaskOutcome::End::Done,
            std::to_string(build.written()) + " records of set " + setName + " written to " + file.string() + "."};
}

} // namespace teb
