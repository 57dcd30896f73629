#pragma once

// Only the journal itself includes this (it brings SOCI's headers along).

#include "journal/journal_schema.h"

#include <soci/soci.h>

namespace teb::journal_store {

// The first number >= from of the carrier-ID length that no entry holds
// (taken-over ranges are the caller's). A local journal skips the full
// blocks of its running sums, so a run of a million issued IDs costs a few
// small counts; a server journal counts over its index.
long long firstNumberNoEntryHolds(soci::session &sql, journal_schema::Dialect dialect, int idLength,
                                  long long from);

} // namespace teb::journal_store
