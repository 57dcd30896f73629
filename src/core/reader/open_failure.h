#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace teb {

// Why a port did not open, in the terms an operator can act on.
enum class OpenFailureKind { NoSuchDevice, NoPermission, InUse, NotASerialLine, Other };

struct OpenFailure {
    OpenFailureKind kind = OpenFailureKind::Other;
    std::filesystem::path device; // what the port name led to; empty when it led nowhere
    int error = 0;                // the system's error number

    bool operator==(const OpenFailure &) const = default;
};

// The failure that a refused open of `device` reported as `error` (errno).
OpenFailure openFailureOf(int error, std::filesystem::path device);

// A process that holds a device open.
struct DeviceHolder {
    std::string program; // its command name
    int pid = 0;

    bool operator==(const DeviceHolder &) const = default;
};

// The other processes that hold `device` open, as the process folder tells
// (only those whose descriptors this process may read).
std::vector<DeviceHolder> deviceHolders(const std::filesystem::path &device,
                                        const std::filesystem::path &processes = "/proc");

using PortListSource = std::function<std::vector<std::string>()>;

// The line that says why, and what to do about it. `portsThere` lists the
// ports that do exist, named when the device is missing.
std::string openFailureReason(const OpenFailure &failure, const PortListSource &portsThere);

// "COMn could not be opened!", with the reason on the line below when one is known.
std::string openFailedMessage(const std::string &portName, const std::optional<OpenFailure> &failure,
                              const PortListSource &portsThere);

} // namespace teb
