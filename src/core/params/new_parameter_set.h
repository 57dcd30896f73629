#pragma once

#include "params/parameter_set.h"

#include <string>
#include <string_view>
#include <vector>

// What the "Config" dialog shows when a set has no file yet, and how it fills
// the gaps of a file that lacks keys.
namespace teb {

// The entries of "Decimal counter on Page" and "Alignment serial number".
const std::vector<std::string> &counterPageEntries();
const std::vector<std::string> &alignmentEntries();

inline constexpr std::string_view kFirstCarrierId = "00000001";

// The set a new user starts from: a decimal counter from 00000001 in the eight
// bytes of page 1, TI Multipage, no counter page, every byte 00.
ParameterSet newParameterSet(std::string_view name);

// A value the lists do not hold becomes "None", an empty byte text 00.
void completeForEditor(ParameterSet &set);

} // namespace teb
