#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace teb {

// Where serial devices are found: the device folder, the kernel's list of
// terminal lines (which tells real UARTs from unused ttyS entries) and the
// links that name USB serial devices after their maker and serial number.
struct DeviceFolders {
    std::filesystem::path devices = "/dev";
    std::filesystem::path ttyClass = "/sys/class/tty";
    std::filesystem::path serialById = "/dev/serial/by-id";
};

// The number n of a name "COMn" (letter case ignored, n from 1, no leading
// zero); nothing for any other name.
std::optional<int> comPortNumber(const std::string &portName);

// The device that a port name stands for. A name containing "/" is a path,
// taken as it stands. "COMn" is first an entry "COMn" in the working
// directory (a link to a device, as the simulated reader makes); else
// COM1..COM32 are ttyS0..ttyS31 (only those the kernel reports as real
// UARTs), COM33..COM64 are ttyUSB0..31 and COM65..COM96 are ttyACM0..31.
// Nothing for a name that stands for no device.
std::optional<std::filesystem::path> resolvePortName(const std::string &portName,
                                                     const std::filesystem::path &workingDirectory,
                                                     const DeviceFolders &folders = {});

// Whether the name resolves to a character device.
bool portNameExists(const std::string &portName, const std::filesystem::path &workingDirectory,
                    const DeviceFolders &folders = {});

// The names "COM1" .. "COM256" that exist, in number order.
std::vector<std::string> discoverComPorts(const std::filesystem::path &workingDirectory);
std::vector<std::string> discoverComPorts(const std::filesystem::path &workingDirectory,
                                          const DeviceFolders &folders);

// The name under /dev/serial/by-id of `device` (a device node, all links
// resolved): maker, model and serial number of a USB adapter. Empty when it has none.
std::string serialByIdName(const std::filesystem::path &device, const DeviceFolders &folders = {});

// One line of the serial device list: the COM name, the device it leads to
// and that device's name under /dev/serial/by-id (else empty).
struct SerialDeviceEntry {
    std::string comName;
    std::filesystem::path devicePath;
    std::string serialById;

    bool operator==(const SerialDeviceEntry &) const = default;
};

std::vector<SerialDeviceEntry> listSerialDevices(const std::filesystem::path &workingDirectory,
                                                 const DeviceFolders &folders = {});

} // namespace teb
