#include "history/record_rebuild.h"

#include "automatic/csv_lines.h"
#include "records/record_files.h"
#include "transponder/byte_text.h"
#include "transponder/page_text.h"

#include <ctime>

namespace teb {
namespace {

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
    std::array<bool, pageCount> filled{};
    std::array<std::string, pageCount> hexTexts;
    std::array<std::string, pageCount> asciiTexts;
    ParameterSet locks = set;
    const std::vector<std::string_view> pages = splitCsvFields(entry.pagesHex, ",");
    for (std::size_t page = 0; page < pageCount; ++page) {
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

} // namespace

RecordRebuild rewriteRecordFile(const std::filesystem::path &file, std::string_view setName, const ParameterSet &set,
                                const std::vector<JournalEntry> &programmed)
{
    RecordRebuild result;
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(file, error))) {
        result.failed = true;
        return result;
    }
    bool jobHeaderPending = true;
    for (const JournalEntry &entry : programmed) {
        if (!records::appended(records::appendRecord(file, recordOf(entry, set), setName, set, jobHeaderPending,
                                                     clockAt(entry.finishedAt)))) {
            result.failed = true;
            return result;
        }
        ++result.written;
    }
    return result;
}

} // namespace teb
