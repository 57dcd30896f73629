#include "reader/port_identity.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace teb {

namespace {

// The majors of the pseudo-terminals' slave sides.
constexpr unsigned kFirstPtySlaveMajor = 136;
constexpr unsigned kLastPtySlaveMajor = 143;

std::optional<LinkStamp> linkStampOf(const std::filesystem::path &path)
{
    struct stat status{};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
        return std::nullopt;
    return LinkStamp{static_cast<std::uint64_t>(status.st_ino),
                     static_cast<std::int64_t>(status.st_ctim.tv_sec) * 1'000'000'000 + status.st_ctim.tv_nsec};
}

bool isPseudoTerminal(const std::filesystem::path &device)
{
    struct stat status{};
    return ::stat(device.c_str(), &status) == 0 && S_ISCHR(status.st_mode)
        && major(status.st_rdev) >= kFirstPtySlaveMajor && major(status.st_rdev) <= kLastPtySlaveMajor;
}

bool isCharacterDevice(const std::filesystem::path &path)
{
    std::error_code error;
    return std::filesystem::is_character_file(path, error);
}

} // namespace

std::optional<PortIdentity> identifyPort(const std::filesystem::path &opened, const DeviceFolders &folders)
{
    std::error_code error;
    const std::filesystem::path device = std::filesystem::canonical(opened, error);
    if (error)
        return std::nullopt;
    return PortIdentity{opened, device, serialByIdName(device, folders), linkStampOf(opened), isPseudoTerminal(device)};
}

std::optional<std::filesystem::path> returnedPort(const PortIdentity &lost, const DeviceFolders &folders)
{
    if (!lost.serialById.empty()) {
        std::filesystem::path byId = folders.serialById / lost.serialById;
        return isCharacterDevice(byId) ? std::optional(byId) : std::nullopt;
    }
    if (!isCharacterDevice(lost.opened))
        return std::nullopt;
    const bool linkMadeAnew = lost.link && linkStampOf(lost.opened) != lost.link;
    if (lost.pseudoTerminal && !linkMadeAnew)
        return std::nullopt;
    return lost.opened;
}

} // namespace teb
