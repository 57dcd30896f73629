#pragma once

#include "journal/journal_entry.h"

#include <string>

namespace teb::test {

// A cycle of the decimal counter of the set "job" for the transponder `uid`.
inline JournalEntry counterEntry(std::string carrierId, std::string uid)
{
    JournalEntry entry;
    entry.carrierId = std::move(carrierId);
    entry.setName = "job";
    entry.source = std::string(journal_source::kDecimalCounter);
    entry.position = entry.carrierId;
    entry.uid = std::move(uid);
    return entry;
}

} // namespace teb::test
