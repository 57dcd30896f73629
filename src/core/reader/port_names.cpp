#include "reader/port_names.h"

#include "common/decimal_text.h"
#include "common/text_case.h"

#include <fstream>
#include <iterator>

namespace teb {

namespace {

constexpr int kHighestComPort = 256;
constexpr int kLinesPerFamily = 32;

struct DeviceFamily {
    const char *prefix;
    int firstComNumber;
    bool onlyRealUarts; // the kernel makes these lines whether or not a UART is there
};

constexpr DeviceFamily kFamilies[] = {{"ttyS", 1, true}, {"ttyUSB", 33, false}, {"ttyACM", 65, false}};

// The kernel gives a serial line the type 0 (unknown) when no UART answers there.
bool isRealUart(const std::string &line, const DeviceFolders &folders)
{
    std::ifstream typeFile(folders.ttyClass / line / "type");
    std::string type;
    if (!(typeFile >> type))
        return false;
    return readDecimal(type) != 0;
}

std::optional<std::filesystem::path> deviceOfComNumber(int number, const DeviceFolders &folders)
{
    for (const DeviceFamily &family : kFamilies) {
        const int index = number - family.firstComNumber;
        if (index < 0 || index >= kLinesPerFamily)
            continue;
        const std::string line = family.prefix + std::to_string(index);
        if (family.onlyRealUarts && !isRealUart(line, folders))
            return std::nullopt;
        return folders.devices / line;
    }
    return std::nullopt;
}

bool entryExists(const std::filesystem::path &path)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

std::filesystem::path finalDevice(const std::filesystem::path &path)
{
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    return error ? path : resolved;
}

} // namespace

std::string serialByIdName(const std::filesystem::path &device, const DeviceFolders &folders)
{
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(folders.serialById, error)) {
        if (finalDevice(entry.path()) == device)
            return entry.path().filename().string();
    }
    return {};
}

std::optional<int> comPortNumber(const std::string &portName)
{
    if (portName.size() <= 3 || !startsWithIgnoringCase(portName, "COM"))
        return std::nullopt;
    const std::string_view digits = std::string_view(portName).substr(3);
    if (digits.size() > 3 || digits[0] == '0')
        return std::nullopt;
    return readDigitsOnly<int>(digits);
}

std::optional<std::filesystem::path> resolvePortName(const std::string &portName,
                                                     const std::filesystem::path &workingDirectory,
                                                     const DeviceFolders &folders)
{
    if (portName.find('/') != std::string::npos)
        return std::filesystem::path(portName);
    const std::optional<int> number = comPortNumber(portName);
    if (!number)
        return std::nullopt;
    for (const std::string &entryName : {portName, "COM" + std::to_string(*number)}) {
        const std::filesystem::path entry = workingDirectory / entryName;
        if (entryExists(entry))
            return entry;
    }
    return deviceOfComNumber(*number, folders);
}

bool portNameExists(const std::string &portName, const std::filesystem::path &workingDirectory,
                    const DeviceFolders &folders)
{
    const std::optional<std::filesystem::path> device =
        resolvePortName(portName, workingDirectory, folders);
    std::error_code error;
    return device && std::filesystem::is_character_file(*device, error);
}

std::vector<std::string> discoverComPorts(const std::filesystem::path &workingDirectory)
{
    return discoverComPorts(workingDirectory, DeviceFolders{});
}

std::vector<std::string> discoverComPorts(const std::filesystem::path &workingDirectory,
                                          const DeviceFolders &folders)
{
    std::vector<std::string> names;
    for (int number = 1; number <= kHighestComPort; ++number) {
        std::string name = "COM" + std::to_string(number);
        if (portNameExists(name, workingDirectory, folders))
            names.push_back(std::move(name));
    }
    return names;
}

std::vector<SerialDeviceEntry> listSerialDevices(const std::filesystem::path &workingDirectory,
                                                 const DeviceFolders &folders)
{
    std::vector<SerialDeviceEntry> entries;
    for (std::string &name : discoverComPorts(workingDirectory, folders)) {
        const std::filesystem::path device = finalDevice(*resolvePortName(name, workingDirectory, folders));
        entries.push_back({std::move(name), device, serialByIdName(device, folders)});
    }
    return entries;
}

} // namespace teb
