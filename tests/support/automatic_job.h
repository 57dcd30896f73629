#pragma once

#include "params/parameter_set.h"

#include <filesystem>
#include <string>

namespace teb::test {

// A job for the automatic station: an Orvex transponder, decimal counter from
// 1, all 17 pages written and locked, the carrier ID in pages 1 and 2,
// records into "records.xml".
ParameterSet automaticJob();

// The set file "job.ini" and a settings file that makes it current in
// automatic mode, every page selected, the reader on "COM7".
void writeAutomaticStation(const std::filesystem::path &directory, const ParameterSet &set,
                           const std::string &carrierIdMax = "1000", const std::string &delimiter = ",");

// 16 hexadecimal digits of eight characters, as "WD n" carries them.
std::string hexOf(const std::string &eight);

} // namespace teb::test
