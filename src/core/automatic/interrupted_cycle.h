#pragma once

#include "automatic/cycle_data_step.h"

// A transponder whose cycle was cut off (reserved or uncertain in the
// journal) is back on the antenna: what it holds decides how the cycle ends.
// Only the cycle's own files include this.
namespace teb::cycle_steps {

// Read back the entry's pages. Equal: the locks the entry wants, then
// programmed. Different: the entry's own pages are written (never the set's
// as it is by now), read back and concluded; a page locked with other data
// spoils the transponder for good. The entry is left as it is only when the
// transponder could not be read, or was another.
void finishInterrupted(Cycle &cycle, const JournalEntry &entry, CycleStation &station);

} // namespace teb::cycle_steps
