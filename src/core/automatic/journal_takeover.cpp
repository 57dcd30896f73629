#include "automatic/journal_takeover.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/csv_data_source.h"
#include "automatic/pending_mark_file.h"
#include "automatic/progress_file.h"
#include "common/decimal_text.h"

#include <variant>

namespace teb {
namespace {

// The counter page value used before the one a progress file names as next.
std::string previousCounterPageValue(std::uint64_t next)
{
    return zeroPadded(next == 0 ? kCounterPageLimit : next - 1u, kCounterPageDigits);
}

void removeTakenOver(const std::filesystem::path &file)
{
    std::error_code ignored; // the journal remembers it was taken over
    std::filesystem::remove(file, ignored);
}

std::size_t digitsOf(std::uint64_t value) { return std::to_string(value).size(); }

// What the progress hands the journal, or why it cannot be taken over. A file
// that cannot be told exactly is damage: taking over less than it names would
// let the set start again at IDs already on tags.
using ProgressReading = std::variant<CarrierIdJournal::TakenOverProgress, std::string>;

ProgressReading readIssuedRange(const SetProgress &progress, CarrierIdJournal::TakenOverProgress taken)
{
    taken.first = 1;
    taken.last = 0; // nothing counted
    if (progress.startCarrierId.empty() && progress.carrierId.empty())
        return taken;
    const auto first = countedNumber(progress.startCarrierId);
    const auto next = countedNumber(progress.carrierId);
    if (!first || !next)
        return std::string("its carrier IDs are no numbers that the counter can hold");
    if (*next < *first)
        return std::string("it had got to a carrier ID below its start");
    if (*next == *first)
        return taken;
    const std::uint64_t last = *next - 1u;
    if (taken.length > kLongestCountedCarrierId || digitsOf(last) > kLongestCountedCarrierId)
        return "its carrier IDs are longer than the journal counts (" + std::to_string(kLongestCountedCarrierId) +
               " digits)";
    if (digitsOf(last) > taken.length)
        return "its carrier IDs have more digits than the set's carrier ID length (" + std::to_string(taken.length) + ")";
    taken.first = *first;
    taken.last = last;
    return taken;
}

ProgressReading readProgressFile(const SetProgress &progress, const std::string &setName, const ParameterSet &saved)
{
    CarrierIdJournal::TakenOverProgress taken;
    taken.setName = setName;
    // Every ID from the start it began with up to where it had got may be on
    // a tag, whatever start the set file holds now.
    taken.length = static_cast<std::size_t>(std::max(0, readDecimal(saved.carrierIdLength)));
    ProgressReading reading = readIssuedRange(progress, std::move(taken));
    auto *range = std::get_if<CarrierIdJournal::TakenOverProgress>(&reading);
    if (range == nullptr || progress.startCounterValue != saved.counterValue || progress.counterValue.empty())
        return reading;
    const auto counter = countedNumber(progress.counterValue);
    if (!counter || *counter > kCounterPageLimit)
        return std::string("its counter page value is no number of at most 8 digits");
    range->counterStart = saved.counterValue;
    range->lastCounterPageValue = previousCounterPageValue(*counter);
    return reading;
}

std::string progressDamagedText(const std::filesystem::path &file, const std::string &reason,
                                const std::string &setName)
{
    return "The file " + file.string() + " cannot be taken over into the carrier-ID journal: " + reason +
           ". It was left in place.\r\nIt names carrier IDs of set " + setName +
           " that may be on transponders; no transponder of this set is programmed until the file is repaired or "
           "removed.";
}

} // namespace

std::optional<std::string> takeOverProgressFile(CarrierIdJournal &journal, const std::filesystem::path &directory,
                                                const std::string &setName, const ParameterSet &saved)
{
    const std::filesystem::path file = progressFilePath(directory, setName);
    const StoredProgress stored = readProgress(file);
    if (stored.state == StoredProgress::State::None || journal.wasTakenOver(file.string()))
        return std::nullopt;
    if (stored.state == StoredProgress::State::Damaged)
        return progressDamagedText(file, "it cannot be read or holds no progress", setName);
    const ProgressReading reading = readProgressFile(*stored.progress, setName, saved);
    if (const auto *reason = std::get_if<std::string>(&reading))
        return progressDamagedText(file, *reason, setName);
    journal.takeOverProgress(std::get<CarrierIdJournal::TakenOverProgress>(reading), file.string());
    removeTakenOver(file);
    return std::nullopt;
}

std::optional<std::string> takeOverPendingMark(CarrierIdJournal &journal, const std::filesystem::path &directory)
{
    const std::filesystem::path file = pendingMarkFilePath(directory);
    const StoredPendingMark stored = readPendingMark(file);
    if (stored.state == StoredPendingMark::State::Damaged)
        return "The file " + file.string() +
               " could not be read. It may name a programmed csv row without its \"X\"; it was left in place.\r\n"
               "No transponder is programmed from a csv file until it is repaired or removed.";
    if (!stored.mark || journal.wasTakenOver(file.string()))
        return std::nullopt;
    const PendingMark &mark = *stored.mark;
    JournalEntry entry;
    const bool simple = mark.format == CsvFormat::Simple;
    entry.carrierId = simple ? simpleRowCarrierId(mark.row.text, mark.delimiter)
                             : completeRowCarrierId(mark.row.text, mark.delimiter).value_or("");
    entry.source = std::string(simple ? journal_source::kCsvFile : journal_source::kCsvFileComplete);
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
