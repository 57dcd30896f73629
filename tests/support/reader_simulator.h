#pragma once

#include "support/temp_dir.h"

#include <sys/types.h>

#include <csignal>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace teb::test {

// The built tag-reader-sim, running as a process for one test: its link
// "COMn" stands in a directory (the station's working directory in the
// test), it answers like a reader, and it logs every line it receives.
// Construction waits for its ready line; check ready() before use.
class ReaderSimulator {
public:
    // Its own fresh directory.
    explicit ReaderSimulator(std::vector<std::string> options = {}, std::string portName = "COM7");
    // A directory the test gives (for example the station's working directory).
    ReaderSimulator(std::filesystem::path directory, std::vector<std::string> options,
                    std::string portName = "COM7");
    ~ReaderSimulator(); // stops it; it removes its link
    ReaderSimulator(const ReaderSimulator &) = delete;
    ReaderSimulator &operator=(const ReaderSimulator &) = delete;

    bool ready() const { return !m_devicePath.empty(); }
    const std::filesystem::path &directory() const { return m_directory; }
    const std::string &portName() const { return m_portName; }
    const std::string &devicePath() const { return m_devicePath; } // the pseudo-terminal, /dev/pts/N
    pid_t pid() const { return m_pid; }

    // The lines it has received, without their CR, as its log holds them
    // (bytes outside printable ASCII as \xNN); waits a while for `atLeast`.
    std::vector<std::string> receivedLines(std::size_t atLeast = 0) const;

    // A new transponder, as the options made the first, is put on the
    // antenna before any command sent after this call.
    void newTransponder() const { sendSignal(SIGUSR1); }
    // The transponder that lay on the antenna before the one there now is
    // put back, as it was left.
    void putBackTransponder() const { sendSignal(SIGUSR2); }
    // The transponders come back one per call in the order they first came,
    // each as it was left (the first again after the last).
    void putBackInTurn() const { sendSignal(SIGRTMIN); }
    // No injected fault from now on; returns once the reader has taken it,
    // and with it every signal sent before.
    void faultsOff() const;

    // How many transponders have come onto the antenna, and how many faults
    // were injected, as its log tells by now.
    int transponderCount() const;
    int injectedFaults() const;

    // SIGKILL: the line hangs up at once, as when an adapter is pulled.
    void kill() { end(SIGKILL); }

private:
    void start(std::vector<std::string> options);
    int notesStartingWith(const std::string &start, const std::string &end = {}) const;
    void sendSignal(int number) const;
    void end(int signal);

    TempDir m_ownFiles;
    std::filesystem::path m_directory;
    std::string m_portName;
    std::string m_devicePath;
    pid_t m_pid = -1;
};

} // namespace teb::test
