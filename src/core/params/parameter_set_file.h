#pragma once

#include <filesystem>
#include <string_view>

#include "params/parameter_set.h"

namespace teb {

// The file of a parameter set: the set's name with ".ini", in the directory.
std::filesystem::path setFilePath(const std::filesystem::path &directory, std::string_view name);

// A name is usable as a set file name when it is not empty and cannot lead
// out of the directory or break the set list: no "/" or "\", not "." or ".."
// as the whole name, and no control characters. "Lot 1..3" is a name.
bool isValidSetName(std::string_view name);

// Sets the display text of every byte from its hex text; the one place that
// derives PageSetting::ascii.
void deriveDisplayTexts(ParameterSet &set);

// Reads the set's file; a missing or unreadable file gives empty texts and
// false flags. An invalid name reads nothing. The result always carries the
// given name, and the display text of every byte is derived from its hex text.
ParameterSet loadParameterSet(const std::filesystem::path &directory, std::string_view name);

class ProfileDocument;
// Every key of a set file, in the order the file keeps them. Reading derives
// the display text of every byte from its hex text.
void writeParameterSet(ProfileDocument &file, const ParameterSet &set);
ParameterSet readParameterSet(const ProfileDocument &file);

} // namespace teb
