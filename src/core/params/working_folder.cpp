#include "params/working_folder.h"

#include "params/station_settings.h"

#include <system_error>

namespace teb {
namespace {

bool sameFolder(const std::filesystem::path &a, const std::filesystem::path &b)
{
    if (a.empty() || b.empty())
        return false;
    std::error_code error;
    const bool same = std::filesystem::equivalent(a, b, error);
    return error ? a.lexically_normal() == b.lexically_normal() : same;
}

bool holdsSettings(const std::filesystem::path &folder)
{
    std::error_code error;
    return std::filesystem::exists(folder / kSettingsFileName, error);
}

// Where a menu entry or a desktop starts a program: no folder of its own.
bool isStartersFolder(const StartPlace &place)
{
    return sameFolder(place.current, place.home) || sameFolder(place.current, place.current.root_path());
}

} // namespace

std::filesystem::path dataFolder(const StartPlace &place)
{
    if (place.xdgDataHome.is_absolute())
        return place.xdgDataHome / kDataFolderName;
    if (place.home.empty())
        return {};
    return place.home / ".local" / "share" / kDataFolderName;
}

std::filesystem::path workingFolder(const FolderRequest &request, const StartPlace &place)
{
    if (request.folder)
        return place.current / *request.folder; // an absolute folder stands as it is
    const std::filesystem::path data = dataFolder(place);
    if (data.empty())
        return place.current;
    if (request.dataFolder)
        return data;
    if (holdsSettings(place.current))
        return place.current;
    return isStartersFolder(place) ? data : place.current;
}

std::optional<std::string> makeWorkingFolder(const std::filesystem::path &folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return error.message();
    if (!std::filesystem::is_directory(folder, error))
        return std::string("it is no folder");
    return std::nullopt;
}

} // namespace teb
