#include "reader/open_failure.h"

#include "common/decimal_text.h"

#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <system_error>

namespace teb {

namespace {

constexpr const char *kOpenFailedSuffix = " could not be opened!";

OpenFailureKind kindOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
    case ELOOP: return OpenFailureKind::NoSuchDevice;
    case EACCES:
    case EPERM:
    case EROFS: return OpenFailureKind::NoPermission;
    case EBUSY:
    case EWOULDBLOCK: return OpenFailureKind::InUse;
    case ENOTTY:
    case EISDIR: return OpenFailureKind::NotASerialLine;
    default: return OpenFailureKind::Other;
    }
}

bool holdsOpen(const std::filesystem::path &descriptors, const std::filesystem::path &device)
{
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(descriptors, error)) {
        std::error_code linkError;
        if (std::filesystem::read_symlink(entry.path(), linkError) == device)
            return true;
    }
    return false;
}

std::string commandName(const std::filesystem::path &process)
{
    std::ifstream file(process / "comm");
    std::string name;
    std::getline(file, name);
    return name.empty() ? "?" : name;
}

std::string holderList(const std::vector<DeviceHolder> &holders)
{
    std::string list;
    for (const DeviceHolder &holder : holders)
        list += (list.empty() ? "" : ", ") + holder.program + " (process " + std::to_string(holder.pid) + ")";
    return list;
}

std::string portList(const std::vector<std::string> &ports)
{
    if (ports.empty())
        return "No serial port is there.";
    std::string list;
    for (const std::string &port : ports)
        list += (list.empty() ? "" : ", ") + port;
    return "Ports there: " + list + ".";
}

std::string deviceName(const OpenFailure &failure)
{
    return failure.device.empty() ? std::string("the port") : failure.device.string();
}

} // namespace

OpenFailure openFailureOf(int error, std::filesystem::path device)
{
    return {kindOf(error), std::move(device), error};
}

std::vector<DeviceHolder> deviceHolders(const std::filesystem::path &device, const std::filesystem::path &processes)
{
    std::error_code error;
    const std::filesystem::path wanted = std::filesystem::canonical(device, error);
    if (error)
        return {};
    const std::string self = std::to_string(::getpid());
    std::vector<DeviceHolder> holders;
    for (const auto &entry : std::filesystem::directory_iterator(processes, error)) {
        const std::string name = entry.path().filename().string();
        const auto pid = readDigitsOnly<int>(name);
        if (pid && name != self && holdsOpen(entry.path() / "fd", wanted))
            holders.push_back({commandName(entry.path()), *pid});
    }
    return holders;
}

std::string openFailureReason(const OpenFailure &failure, const PortListSource &portsThere)
{
    const std::string device = deviceName(failure);
    switch (failure.kind) {
    case OpenFailureKind::NoSuchDevice:
        return "There is no device " + device + " (is the adapter unplugged?). "
            + portList(portsThere ? portsThere() : std::vector<std::string>{});
    case OpenFailureKind::NoPermission:
        return "No permission to use " + device
            + ": add the user to the group dialout (sudo adduser $USER dialout), then log out and in again.";
    case OpenFailureKind::InUse: {
        const std::vector<DeviceHolder> holders = deviceHolders(failure.device);
        return device + " is in use by another program" + (holders.empty() ? "" : ": " + holderList(holders)) + ".";
    }
    case OpenFailureKind::NotASerialLine: return device + " is not a serial line.";
    case OpenFailureKind::Other: break;
    }
    return device + ": " + std::error_code(failure.error, std::generic_category()).message() + ".";
}

std::string openFailedMessage(const std::string &portName, const std::optional<OpenFailure> &failure,
                              const PortListSource &portsThere)
{
    std::string message = portName + kOpenFailedSuffix;
    if (portName.empty())
        return message + "\r\nNo port is chosen: pick one in \"Interface\" / \"Settings\".";
    if (failure)
        message += "\r\n" + openFailureReason(*failure, portsThere);
    return message;
}

} // namespace teb
