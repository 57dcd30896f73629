#pragma once

#include "history/background_task.h"
#include "history/staged_file.h"
#include "journal/carrier_id_journal.h"
#include "params/parameter_set.h"

#include <filesystem>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

// A set's record file written again from the journal: the job header from
// the set, then one record per programmed transponder with the pages as they
// were sent, dated when its cycle ended. For a record file that could not be
// appended to, or was lost. The file is new: an existing one is never
// written over, and the file appears under its name only when it is whole.
namespace teb {

class RecordFileBuild {
public:
    RecordFileBuild(const std::filesystem::path &file, std::string_view setName, const ParameterSet &set);
    // False once the file cannot be written (it exists, the folder refuses it).
    bool good() const { return m_file.good(); }
    void add(const JournalEntry &programmed);
    // False when the file could not be written (or already exists).
    bool place();
    std::size_t written() const { return m_written; }

private:
    StagedFile m_file;
    ParameterSet m_set;
    std::size_t m_written = 0;
};

struct RecordRebuild {
    std::size_t written = 0; // records in the new file
    bool failed = false;     // the file could not be written; nothing is under its name
};

// `file` must not exist yet.
RecordRebuild rewriteRecordFile(const std::filesystem::path &file, std::string_view setName, const ParameterSet &set,
                                const std::vector<JournalEntry> &programmed);

// The same as a background task's work, reading the set's programmed entries
// a page at a time from a journal connection of its own. This station's
// entries written into the file are noted as recorded.
TaskOutcome rebuildRecordFile(const CarrierIdJournal::Opener &openJournal, const std::filesystem::path &file,
                              const std::string &setName, const ParameterSet &set, std::stop_token stop,
                              TaskProgress &progress);

} // namespace teb
