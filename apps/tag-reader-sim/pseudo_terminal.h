#pragma once

#include <filesystem>
#include <string>

namespace teb::sim {

// A pseudo-terminal pair in raw mode. The simulator keeps a descriptor of the
// slave side open itself, so the master never sees the line hang up when the
// station closes and reopens it.
class PseudoTerminal {
public:
    PseudoTerminal(); // throws std::runtime_error when no pair can be made
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    int master() const { return m_master; }
    const std::string &slavePath() const { return m_slavePath; }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
};

// The link "COMn" in a directory to the slave side; removed again when it
// still points there.
class DeviceLink {
public:
    DeviceLink(std::filesystem::path link, std::filesystem::path target); // throws on failure
    ~DeviceLink();
    DeviceLink(const DeviceLink &) = delete;
    DeviceLink &operator=(const DeviceLink &) = delete;

private:
    std::filesystem::path m_link;
    std::filesystem::path m_target;
};

} // namespace teb::sim
