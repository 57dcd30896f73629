#include "automatic/progress_file.h"

#include "common/file_layer.h"
#include "params/profile_file.h"

#include <system_error>

namespace teb {
namespace {

constexpr std::string_view kSection = "Progress";
constexpr std::string_view kStartCarrierId = "Start Carrier ID";
constexpr std::string_view kStartCounterValue = "Start Counter Value";
constexpr std::string_view kCarrierId = "Carrier ID";
constexpr std::string_view kCounterValue = "Counter Value";
constexpr std::string_view kExtension = ".progress";

} // namespace

std::filesystem::path progressFilePath(const std::filesystem::path &directory, std::string_view setName)
{
    return directory / (std::string(setName) + std::string(kExtension));
}

StoredProgress readProgress(const std::filesystem::path &file)
{
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(file, error)))
        return {};
    const auto bytes = readWholeFile(file);
    if (!bytes)
        return StoredProgress{StoredProgress::State::Damaged, std::nullopt};
    const ProfileDocument document = ProfileDocument::parse(*bytes);
    SetProgress progress{document.value(kSection, kStartCarrierId), document.value(kSection, kStartCounterValue),
                         document.value(kSection, kCarrierId), document.value(kSection, kCounterValue)};
    if (progress == SetProgress{}) // emptied, or no progress file at all
        return StoredProgress{StoredProgress::State::Damaged, std::nullopt};
    return StoredProgress{StoredProgress::State::Found, std::move(progress)};
}

} // namespace teb
