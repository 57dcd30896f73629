#pragma once

#include "reader/port_names.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace teb {

// A link as one file: a link removed and made again is another one, even
// with the same target.
struct LinkStamp {
    std::uint64_t inode = 0;
    std::int64_t changedNs = 0;

    bool operator==(const LinkStamp &) const = default;
};

// Which device an open port is, so that it is known again when it comes back
// after it was lost (an adapter pulled and plugged in again, a simulated
// reader started anew).
struct PortIdentity {
    std::filesystem::path opened; // the path that was opened: a link or a device node
    std::filesystem::path device; // the device node it led to
    std::string serialById;       // its name under /dev/serial/by-id; empty when none
    std::optional<LinkStamp> link; // when `opened` is a link
    bool pseudoTerminal = false;

    bool operator==(const PortIdentity &) const = default;
};

// Nothing when `opened` leads to no file.
std::optional<PortIdentity> identifyPort(const std::filesystem::path &opened, const DeviceFolders &folders = {});

// The path to open now that the same device is there again; nothing while it
// is not. A device with a /dev/serial/by-id name is known by that name alone
// (it may come back under another ttyUSB number). Any other is back when the
// path that was opened leads to a character device again; a pseudo-terminal
// only through a link made anew, since its number goes to whichever terminal
// is opened next.
std::optional<std::filesystem::path> returnedPort(const PortIdentity &lost, const DeviceFolders &folders = {});

} // namespace teb
