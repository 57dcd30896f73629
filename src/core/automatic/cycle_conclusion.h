#pragma once

// How a cycle that reached the transponder ends: the journal's end of its
// entry, the source moving on, the record. Shared by a new cycle and the
// finishing of an interrupted one. Only the cycle's own files include this.

#include "automatic/cycle_data_step.h"

#include <string>

namespace teb::cycle_steps {

// The reason an operator reads when the transponder holds its data but the
// journal could not confirm it.
inline constexpr std::string_view kNotConfirmed = "programmed on the transponder, not yet confirmed in the journal";
// The record is part of what a PASS promises; the next start names it missing.
inline constexpr std::string_view kNotRecorded = "programmed and confirmed, but its record could not be written";

// The entry ends as `state`; an end the journal cannot take now is written
// at its next piece of work, and the operator is told. False then.
bool endEntry(CycleStation &station, const JournalEntry &entry, CycleState state);

// The transponder holds what the entry says: the journal confirms it, the
// CSV row gets its "X", the record is written (whether or not the journal
// could confirm: the record does not depend on it). PASS only when confirmed.
void concludeProgrammed(Cycle &cycle, CycleStation &station, const JournalEntry &entry, bool recorded);

} // namespace teb::cycle_steps
