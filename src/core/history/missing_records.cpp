#include "history/missing_records.h"

#include "common/file_layer.h"
#include "records/record_files.h"
#include "records/spreadsheet_rows.h"

#include <map>

namespace teb {
namespace {

// A record's UID cell: a transponder has at most one programmed entry in a set.
bool holdsRecordOf(const std::string &workbook, const JournalEntry &entry)
{
    return !entry.uid.empty() && workbook.find(records::dataCell(entry.uid)) != std::string::npos;
}

std::map<std::string, std::vector<JournalEntry>> bySet(std::vector<JournalEntry> entries)
{
    std::map<std::string, std::vector<JournalEntry>> sets;
    for (JournalEntry &entry : entries)
        sets[entry.setName].push_back(std::move(entry));
    return sets;
}

} // namespace

std::vector<MissingRecords> findMissingRecords(CarrierIdJournal &journal, const std::filesystem::path &workingDirectory,
                                               const SetLoader &loadSet)
{
    std::vector<MissingRecords> missing;
    std::vector<std::int64_t> found;
    for (auto &[setName, entries] : bySet(journal.unrecorded())) {
        const ParameterSet set = loadSet(setName);
        if (!set.logEnabled) {
            for (const JournalEntry &entry : entries)
                found.push_back(entry.id); // the set keeps no records
            continue;
        }
        MissingRecords lacking{setName, records::workbookPath(workingDirectory, set.recordFileName), {}};
        const std::string workbook = readWholeFile(lacking.file).valueOr("");
        for (JournalEntry &entry : entries) {
            if (holdsRecordOf(workbook, entry))
                found.push_back(entry.id);
            else
                lacking.entries.push_back(std::move(entry));
        }
        if (!lacking.entries.empty())
            missing.push_back(std::move(lacking));
    }
    try {
        journal.noteRecorded(found);
    } catch (const JournalError &) {
        // Looked for again at the next start.
    }
    return missing;
}

std::string missingRecordsText(const std::vector<MissingRecords> &missing)
{
    std::string text = "These programmed transponders have no record in their set's record file:\r\n";
    for (const MissingRecords &set : missing) {
        text += set.file.string() + " (set " + set.setName + "):\r\n";
        for (const JournalEntry &entry : set.entries)
            text += "  " + entry.shownCarrierId() + " on UID " + entry.uid + " (" + entry.finishedAt + ")\r\n";
    }
    return text + "The journal holds them: \"Write record file...\" in the journal window writes the set's records "
                  "into a new file.";
}

} // namespace teb
