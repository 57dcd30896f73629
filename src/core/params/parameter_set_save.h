#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "params/parameter_set.h"
#include "params/set_list.h"

namespace teb {

// Texts of the save flow, shown with the caption kMessageCaption.
inline constexpr std::string_view kMessageCaption = "Tag Encoder Bench";
inline constexpr std::string_view kOverwriteQuestion = "This parameter set already exists.\r\nOverwrite it?";
inline constexpr std::string_view kNoAccessMessage = "No access to ini file or path.";
inline constexpr std::string_view kSaveErrorMessage = "Error while saving configuration set";
inline constexpr std::string_view kInvalidSetNameMessage =
    "This name cannot be used for a parameter set.\r\n"
    "A name must not be empty and must not contain \"/\", \"\\\", \"..\" or control characters.";
inline constexpr std::string_view kSetListFullMessage =
    "The list already holds 256 parameter sets.\r\nDelete a set before saving a new one.";

enum class SaveOutcome {
    Saved,        // file written; the name is in the list
    Declined,     // the file exists and the overwrite question was not answered Yes
    NoAccess,     // the file could not be read or written
    InvalidName,  // see isValidSetName
    ListFull,     // a new name, but the list holds 256 names already
};

// The message boxes the editor shows for an outcome, in order (question-free
// outcomes only; none for Saved and Declined). All use the error icon.
std::vector<std::string_view> saveOutcomeMessages(SaveOutcome outcome);

// The short text the editor shows beside "Save": what was saved where, or why nothing was.
std::string saveNote(SaveOutcome outcome, const std::string &name, const std::filesystem::path &file);
// "Not saved: " and the first line of the reason.
std::string notSavedNote(std::string_view reason);

// Answers the overwrite question: true for Yes.
using OverwriteQuestion = std::function<bool()>;

// The editor's "Save": writes the set (set.name gives the file) into the
// directory, asking before an existing file is overwritten, and adds a new
// name at the end of the list. Nothing is written and the list is unchanged
// unless the outcome is Saved.
SaveOutcome saveParameterSet(const std::filesystem::path &directory, const ParameterSet &set, SetList &setList,
                             const OverwriteQuestion &confirmOverwrite);

} // namespace teb
