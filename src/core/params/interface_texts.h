#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The settings file keeps the line settings of the reader port as texts; the
// station works with the codes of reader/interface_settings.h.
namespace teb {

// Reading is lenient: the texts are searched for the words the station writes.
std::int32_t stopBitsCodeFromText(std::string_view text);
std::int32_t parityCodeFromText(std::string_view text);
std::int32_t flowControlCodeFromText(std::string_view text);

std::string stopBitsText(std::int32_t code);
std::string parityText(std::int32_t code);
std::string flowControlText(std::int32_t code);

} // namespace teb
