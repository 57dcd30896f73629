#include "automatic/progress_file.h"

#include "common/file_layer.h"
#include "params/profile_file.h"

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

std::optional<SetProgress> readProgress(const std::filesystem::path &file)
{
    const auto bytes = readWholeFile(file);
    if (!bytes)
        return std::nullopt;
    const ProfileDocument document = ProfileDocument::parse(*bytes);
    return SetProgress{document.value(kSection, kStartCarrierId), document.value(kSection, kStartCounterValue),
                       document.value(kSection, kCarrierId), document.value(kSection, kCounterValue)};
}

} // namespace teb
