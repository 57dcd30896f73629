#pragma once

#include "journal/journal_entry.h"

#include <string>

namespace teb {

// One "write carrier ID" as the journal follows it.
struct ManualCarrierIdWrite {
    std::string carrierId; // its bytes
    std::string uid;       // the transponder's, read before the write; empty: no journal entry
    bool shared = false;   // another transponder holds it, and the operator said Yes
    JournalEntry entry;    // the reservation, once made
    std::string problem;   // why the reservation was not made
};

} // namespace teb
