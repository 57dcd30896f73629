#include "windows/journal_history/history_export.h"

#include "history/staged_file.h"
#include "windows/journal_history/history_rows.h"

#include <limits>

namespace teb {
namespace {

constexpr std::size_t kPageRows = 1000;

std::string cyclesText(std::uint64_t count) { return std::to_string(count) + (count == 1 ? " cycle" : " cycles"); }

} // namespace

TaskOutcome exportHistory(const CarrierIdJournal::Opener &openJournal, const std::string &search,
                          const std::filesystem::path &file, std::stop_token stop, TaskProgress &progress)
{
    StagedFile csv(file, StagedFile::Placing::Replace);
    if (!csv.good())
        return {TaskOutcome::End::Failed, "The list could not be written to " + file.string() + "."};
    const std::unique_ptr<CarrierIdJournal> journal = openJournal();
    progress.setTotal(journal->historyCount(search, std::numeric_limits<std::uint64_t>::max()));
    csv.write(historyCsvLine(historyColumnTitles()));
    std::uint64_t written = 0;
    HistoryCursor from;
    for (;;) {
        if (stop.stop_requested())
            return {TaskOutcome::End::Cancelled, "Cancelled: nothing was written to " + file.string() + "."};
        const HistoryPage page = journal->historyPage(search, from, kPageRows);
        for (const JournalEntry &entry : page.entries)
            csv.write(historyCsvLine(historyRow(entry)));
        written += page.entries.size();
        progress.advance(page.entries.size());
        if (!page.next)
            break;
        from = *page.next;
    }
    if (!csv.place())
        return {TaskOutcome::End::Failed, "The list could not be written to " + file.string() + "."};
    return {TaskOutcome::End::Done, cyclesText(written) + " written to " + file.string() + "."};
}

} // namespace teb
