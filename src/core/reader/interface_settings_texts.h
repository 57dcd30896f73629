#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace teb {

// The texts of the "Interface Settings" dialog and how they map to the codes
// the main window keeps. Codes outside the lists show the first text; texts
// that are not in the lists (compared exactly, letter case counts) give 0.
std::string parityText(std::int32_t parityCode);
std::string stopBitsText(std::int32_t stopBitsCode);
std::string flowControlText(std::int32_t flowControlCode);

std::int32_t parityCodeFromText(std::string_view text);
std::int32_t stopBitsCodeFromText(std::string_view text);
std::int32_t flowControlCodeFromText(std::string_view text);

// The same texts as the settings file keeps them. Reading is lenient: the text
// is searched for the entries (parity: "Even", "Mark", "Odd", "Space" in this
// order; stop bits: "2", then "1.5"); a text holding none gives code 0.
std::int32_t readStopBitsSetting(std::string_view text);
std::int32_t readParitySetting(std::string_view text);
std::int32_t readFlowControlSetting(std::string_view text);

// The fixed entries of the combo boxes, in the order they are listed.
const std::vector<std::string> &baudRateEntries();
const std::vector<std::string> &dataBitsEntries();
const std::vector<std::string> &parityEntries();
const std::vector<std::string> &stopBitsEntries();
const std::vector<std::string> &flowControlEntries();

} // namespace teb
