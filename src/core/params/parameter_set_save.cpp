#include "params/parameter_set_save.h"

#include <system_error>

#include "params/parameter_set_file.h"
#include "params/profile_file.h"

namespace teb {
namespace {

bool fileExists(const std::filesystem::path &file)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(file, error));
}

} // namespace

std::vector<std::string_view> saveOutcomeMessages(SaveOutcome outcome)
{
    switch (outcome) {
    case SaveOutcome::NoAccess: return {kNoAccessMessage, kSaveErrorMessage};
    case SaveOutcome::InvalidName: return {kInvalidSetNameMessage};
    case SaveOutcome::ListFull: return {kSetListFullMessage};
    case SaveOutcome::Saved:
    case SaveOutcome::Declined: break;
    }
    return {};
}

std::string notSavedNote(std::string_view reason)
{
    std::string_view first = reason.substr(0, reason.find('\r'));
    if (first.ends_with('.'))
        first.remove_suffix(1);
    return "Not saved: " + std::string(first) + ".";
}

std::string saveNote(SaveOutcome outcome, const std::string &name, const std::filesystem::path &file)
{
    switch (outcome) {
    case SaveOutcome::Saved: return "Saved \"" + name + "\" in " + file.string();
    case SaveOutcome::Declined: return "Not saved: \"" + name + "\" was kept as it was.";
    case SaveOutcome::NoAccess: return "Not saved: no access to " + file.string() + ".";
    case SaveOutcome::InvalidName: return notSavedNote(kInvalidSetNameMessage);
    case SaveOutcome::ListFull: return notSavedNote(kSetListFullMessage);
    }
    return {};
}

SaveOutcome saveParameterSet(const std::filesystem::path &directory, const ParameterSet &set, SetList &setList,
                             const OverwriteQuestion &confirmOverwrite)
{
    if (!isValidSetName(set.name))
        return SaveOutcome::InvalidName;
    if (!setList.contains(set.name) && setList.isFull())
        return SaveOutcome::ListFull;
    const std::filesystem::path path = setFilePath(directory, set.name);
    // Only a file that opens for reading is offered for overwriting; one that
    // does not is a failed save. Keys of the existing file are replaced in
    // place; keys of its own that the station does not know stay.
    auto file = ProfileDocument::load(path);
    if (!file)
        return SaveOutcome::NoAccess;
    if (fileExists(path) && !(confirmOverwrite && confirmOverwrite()))
        return SaveOutcome::Declined;
    writeParameterSet(*file, set);
    if (!file->save(path))
        return SaveOutcome::NoAccess;
    setList.add(set.name);
    return SaveOutcome::Saved;
}

} // namespace teb
