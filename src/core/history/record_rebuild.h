#pragma once

#include "journal/journal_entry.h"
#include "params/parameter_set.h"
#include "records/workbook_append.h"

#include <filesystem>
#include <string_view>
#include <vector>

// A set's record file written again from the journal: the job header from
// the set, then one record per programmed transponder with the pages as they
// were sent, dated when its cycle ended. For a record file that could not be
// appended to, or was lost.
namespace teb {

struct RecordRebuild {
    std::size_t written = 0; // records in the new file
    bool failed = false;     // the file could not be written; `written` went in before
};

// `file` must not exist yet: nothing is written over.
RecordRebuild rewriteRecordFile(const std::filesystem::path &file, std::string_view setName, const ParameterSet &set,
                                const std::vector<JournalEntry> &programmed);

} // namespace teb
