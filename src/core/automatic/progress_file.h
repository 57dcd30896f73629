#pragma once

#include "params/parameter_set.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// How far the current set has got, kept beside its set file: the decimal
// counter's next carrier ID and the counter page value live in the window's
// memory otherwise, and a restart would go back to the set's saved values and
// program the same carrier IDs again. The progress belongs to the saved start
// values it was made from; once the editor saves other ones it is void.
namespace teb {

// The set file's Carrier ID and Counter Value, as the editor saved them.
struct SetStart {
    std::string carrierId;
    std::string counterValue;

    bool operator==(const SetStart &) const = default;
};

struct SetProgress {
    std::string startCarrierId;    // the set file's values when the progress began
    std::string startCounterValue;
    std::string carrierId;         // where the set has got
    std::string counterValue;

    bool operator==(const SetProgress &) const = default;
};

// "<set name>.progress" beside "<set name>.ini".
std::filesystem::path progressFilePath(const std::filesystem::path &directory, std::string_view setName);

std::optional<SetProgress> readProgress(const std::filesystem::path &file);
// Replaces the file atomically and durably; false when it could not be written.
bool writeProgress(const std::filesystem::path &file, const SetProgress &progress);

// Takes the progress over into the set when it belongs to the set's saved
// start values; true when it did.
bool resumeProgress(const SetProgress &progress, const SetStart &start, ParameterSet &current);

// The progress of the current set, to be written after an advance.
SetProgress progressOf(const SetStart &start, const ParameterSet &current);

} // namespace teb
