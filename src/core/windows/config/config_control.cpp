#include "windows/config/config_control.h"

namespace teb {
namespace {

ConfigControl inRun(ConfigControl first, int byte) { return static_cast<ConfigControl>(static_cast<int>(first) + byte); }

int byteInRun(ConfigControl id, ConfigControl first)
{
    const int byte = static_cast<int>(id) - static_cast<int>(first);
    return byte >= 0 && byte < kCarrierIdPageBytes ? byte : -1;
}

} // namespace

ConfigControl hexCell(int byte) { return inRun(ConfigControl::FirstHexCell, byte); }
ConfigControl asciiCell(int byte) { return inRun(ConfigControl::FirstAsciiCell, byte); }
ConfigControl fixSwitch(int byte) { return inRun(ConfigControl::FirstFixSwitch, byte); }
int byteOfHexCell(ConfigControl id) { return byteInRun(id, ConfigControl::FirstHexCell); }
int byteOfAsciiCell(ConfigControl id) { return byteInRun(id, ConfigControl::FirstAsciiCell); }
int byteOfFixSwitch(ConfigControl id) { return byteInRun(id, ConfigControl::FirstFixSwitch); }

} // namespace teb
