#pragma once

#include <cstdint>
#include <string_view>

// The settings file keeps the line settings of the reader port as texts.
// Reading them is lenient (the texts are searched for the words the station
// writes), unlike the exact lists of the interface settings dialog; writing
// uses the dialog's texts (reader/interface_settings_texts.h).
namespace teb {

std::int32_t readStopBitsSetting(std::string_view text);
std::int32_t readParitySetting(std::string_view text);
std::int32_t readFlowControlSetting(std::string_view text);

} // namespace teb
