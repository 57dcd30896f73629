#pragma once

#include <filesystem>
#include <string_view>

#include "params/parameter_set.h"

namespace teb {

// The file of a parameter set: the set's name with ".ini", in the directory.
std::filesystem::path setFilePath(const std::filesystem::path &directory, std::string_view name);

// A name is usable as a set file name when it is not empty and cannot lead
// out of the directory or break the set list: no "/", "\", "..", and no
// control characters.
bool isValidSetName(std::string_view name);

// Reads the set's file; a missing or unreadable file gives empty texts and
// false flags. An invalid name reads nothing. The result always carries the
// given name, and the display text of every byte is derived from its hex text.
ParameterSet loadParameterSet(const std::filesystem::path &directory, std::string_view name);

class ProfileDocument;
// Every key of a set file, in the order the file keeps them.
void writeParameterSet(ProfileDocument &file, const ParameterSet &set);
ParameterSet readParameterSet(const ProfileDocument &file);

} // namespace teb
