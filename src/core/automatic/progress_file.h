#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// "<set name>.progress", which earlier versions kept beside a set file: how
// far the decimal counter and the counter page had got from the start values
// the set file held. Read once, when the journal takes it over.
namespace teb {

struct SetProgress {
    std::string startCarrierId;    // the set file's values when the progress began
    std::string startCounterValue;
    std::string carrierId;         // where the set had got
    std::string counterValue;

    bool operator==(const SetProgress &) const = default;
};

std::filesystem::path progressFilePath(const std::filesystem::path &directory, std::string_view setName);

struct StoredProgress {
    enum class State { None, Found, Damaged };
    State state = State::None;
    std::optional<SetProgress> progress; // when Found
};

// Damaged: the file is there but cannot be read or holds no progress at all.
StoredProgress readProgress(const std::filesystem::path &file);

} // namespace teb
