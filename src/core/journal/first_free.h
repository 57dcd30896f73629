#pragma once

// Only the journal itself includes this (it brings SOCI's headers along).

#include "journal/carrier_id_journal.h"

#include <soci/soci.h>

#include <cstdint>
#include <string>
#include <vector>

// The decimal counter's reservation in one piece of work: the transponder's
// history, and when it holds nothing, the first of the offered entries that
// no entry and no taken-over range holds, reserved. On a server it is one
// statement (the function kReserveFirstFree), so that two stations cannot
// race between the choice and the insert and a cycle costs one round trip.
namespace teb::journal_store {

// Also notes the given entries as recorded, in the same commit. Of the
// history the server tells only what decides the cycle: the newest
// unfinished entry, else the newest programmed, else the newest spoiled one.
FirstFreeReservation reserveFirstFreeOnServer(soci::session &sql, const std::string &uid,
                                              const std::vector<JournalEntry> &offered,
                                              const std::vector<std::int64_t> &recorded);
FirstFreeReservation reserveFirstFreeInFile(soci::session &sql, const std::string &uid,
                                            const std::vector<JournalEntry> &offered,
                                            const std::vector<std::int64_t> &recorded);

// The server function, made with the schema (CREATE OR REPLACE).
extern const std::string_view kReserveFirstFree;

} // namespace teb::journal_store
