#include "support/reader_simulator.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <thread>

extern char **environ;

namespace teb::test {

namespace {

// The simulator starts and answers within milliseconds; these only bound a broken run.
constexpr int kReadyTimeoutMs = 20000;
constexpr auto kLinesPatience = std::chrono::seconds(10);
constexpr auto kLogPollInterval = std::chrono::milliseconds(5);

// The first line printed on `fd`; empty when none comes.
std::string firstLine(int fd)
{
    std::string line;
    pollfd entry{fd, POLLIN, 0};
    char byte = 0;
    while (poll(&entry, 1, kReadyTimeoutMs) > 0 && ::read(fd, &byte, 1) == 1 && byte != '\n')
        line.push_back(byte);
    return byte == '\n' ? line : std::string();
}

} // namespace

ReaderSimulator::ReaderSimulator(std::vector<std::string> options, std::string portName)
    : ReaderSimulator(std::filesystem::path(), std::move(options), std::move(portName))
{
}

ReaderSimulator::ReaderSimulator(std::filesystem::path directory, std::vector<std::string> options,
                                 std::string portName)
    : m_directory(directory.empty() ? m_ownFiles.path() : std::move(directory)), m_portName(std::move(portName))
{
    start(std::move(options));
}

ReaderSimulator::~ReaderSimulator() { end(SIGTERM); }

void ReaderSimulator::start(std::vector<std::string> options)
{
    std::vector<std::string> arguments{TEB_TAG_READER_SIM, "--dir", m_directory.string(), "--name", m_portName,
                                       "--log", (m_ownFiles / "received.log").string(), "--exit-with-parent"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    std::vector<char *> argv;
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    ASSERT_EQ(pipe2(pipeEnds, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    const int spawned = posix_spawn(&m_pid, TEB_TAG_READER_SIM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    const std::string line = spawned == 0 ? firstLine(pipeEnds[0]) : std::string();
    ::close(pipeEnds[0]);
    if (spawned != 0)
        m_pid = -1;

    const std::string expectedStart = "ready " + m_portName + " -> ";
    ASSERT_TRUE(line.starts_with(expectedStart)) << "the simulator did not get ready: \"" << line << "\"";
    m_devicePath = line.substr(expectedStart.size());
}

std::vector<std::string> ReaderSimulator::receivedLines(std::size_t atLeast) const
{
    const auto deadline = std::chrono::steady_clock::now() + kLinesPatience;
    for (;;) {
        std::ifstream log(m_ownFiles / "received.log");
        std::vector<std::string> lines;
        for (std::string line; std::getline(log, line);)
            if (!line.starts_with("# ")) // the simulator's own notes
                lines.push_back(line);
        if (lines.size() >= atLeast || std::chrono::steady_clock::now() > deadline)
            return lines;
        std::this_thread::sleep_for(kLogPollInterval);
    }
}

int ReaderSimulator::notesStartingWith(const std::string &start, const std::string &end) const
{
    std::ifstream log(m_ownFiles / "received.log");
    int count = 0;
    for (std::string line; std::getline(log, line);)
        count += line.starts_with(start) && line.ends_with(end) ? 1 : 0;
    return count;
}

int ReaderSimulator::transponderCount() const
{
    // "# transponder <UID> on the antenna" for the first, "... new on the antenna" for each after it.
    return notesStartingWith("# transponder ", " on the antenna");
}

void ReaderSimulator::faultsOff() const
{
    sendSignal(SIGRTMIN + 1);
    const auto deadline = std::chrono::steady_clock::now() + kLinesPatience;
    while (notesStartingWith("# faults off") == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(kLogPollInterval);
}

int ReaderSimulator::injectedFaults() const { return notesStartingWith("# fault "); }

void ReaderSimulator::sendSignal(int number) const
{
    if (m_pid > 0)
        ::kill(m_pid, number);
}

void ReaderSimulator::end(int signal)
{
    if (m_pid <= 0)
        return;
    ::kill(m_pid, signal);
    while (waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
}

} // namespace teb::test
