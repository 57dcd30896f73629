#include "automatic/journal_takeover.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/csv_data_source.h"
#include "automatic/pending_mark_file.h"
#include "automatic/progress_file.h"
#include "common/decimal_text.h"

namespace teb {
namespace {

// The counter page value used before the one a progress file names as next.
std::string previousCounterPageValue(std::string_view next)
{
    const std::uint64_t value = readCounter(next);
    return zeroPadded(value == 0 ? counterPageLimit : value - 1u, counterPageDigits);
}

void removeTakenOver(const std::filesystem::path &file)
{
    std::error_code ignored; // the journal remembers it was taken over
    std::filesystem::remove(file, ignored);
}

} // namespace

void takeOverProgressFile(CarrierIdJournal &journal, const std::filesystem::path &directory,
                          const std::string &setName, const ParameterSet &saved)
{
    const std::filesystem::path file = progressFilePath(directory, setName);
    const auto progress = readProgress(file);
    if (!progress || journal.wasTakenOver(file.string()))
        return;
    CarrierIdJournal::TakenOverProgress taken;
    taken.setName = setName;
    // Every ID from the start it began with up to where it had got may be on
    // a tag, whatever start the set file holds now.
    taken.length = static_cast<std::size_t>(std::max(0, readDecimal(saved.carrierIdLength)));
    const auto first = countedNumber(progress->startCarrierId);
    const auto next = countedNumber(progress->carrierId);
    if (first && next && *next > *first) {
        taken.first = *first;
        taken.last = *next - 1u;
    } else {
        taken.first = 1;
        taken.last = 0; // nothing counted
    }
    if (progress->startCounterValue == saved.counterValue && countedNumber(progress->counterValue)) {
        taken.counterStart = saved.counterValue;
        taken.lastCounterPageValue = previousCounterPageValue(progress->counterValue);
    }
    journal.takeOverProgress(taken, file.string());
    removeTakenOver(file);
}

std::optional<std::string> takeOverPendingMark(CarrierIdJournal &journal, const std::filesystem::path &directory)
{
    const std::filesystem::path file = pendingMarkFilePath(directory);
    const StoredPendingMark stored = readPendingMark(file);
    if (stored.state == StoredPendingMark::State::Damaged)
        return "The file " + file.string() +
               " could not be read. It may name a programmed csv row without its \"X\"; it was left in place.";
    if (!stored.mark || journal.wasTakenOver(file.string()))
        return std::nullopt;
    const PendingMark &mark = *stored.mark;
    JournalEntry entry;
    const bool simple = mark.format == CsvFormat::Simple;
    entry.carrierId = simple ? simpleRowCarrierId(mark.row.text, mark.delimiter)
                             : completeRowCarrierId(mark.row.text, mark.delimiter).value_or("");
    entry.source = std::string(simple ? journal_source::csvFile : journal_source::csvFileComplete);
    entry.position = std::to_string(mark.row.lineIndex);
    entry.csvFile = mark.file.string();
    entry.csvRow = mark.row.text;
    entry.csvDelimiter = mark.delimiter;
    try {
        journal.takeOverEntry(entry, file.string());
    } catch (const CarrierIdTaken &) {
        // Its carrier ID is held already; nothing is lost.
    }
    removeTakenOver(file);
    return std::nullopt;
}

} // namespace teb
