#pragma once

// Only the journal itself includes this (it brings SOCI's headers along).

#include "journal/journal_schema.h"

#include <soci/soci.h>

namespace teb::journal_store {

// The pages_key column, its unique index and, in a journal written before
// they existed, the keys of the entries that hold a carrier ID. Runs inside
// the transaction that creates the schema.
void ensurePagesKey(soci::session &sql, journal_schema::Dialect dialect);

// The recorded flag (0: a programmed entry whose record is not known to be
// in its set's record file) and the index that finds such entries.
void ensureRecordedFlag(soci::session &sql, journal_schema::Dialect dialect);

// A local journal's running sums and their triggers; summed once from the
// entries in a journal written before they existed.
void ensureRunningSums(soci::session &sql, journal_schema::Dialect dialect);

} // namespace teb::journal_store
