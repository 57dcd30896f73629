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

extern char **environ;

namespace teb::test {

namespace {

// The simulator is ready in milliseconds; this only bounds a broken start.
constexpr std::chrono::seconds kReadyTimeout{20};
constexpr const char *kReadyWord = "ready ";

// Reads the first line of `fd` within the time-out; empty when none came.
std::string firstLine(int fd)
{
    const auto deadline = std::chrono::steady_clock::now() + kReadyTimeout;
    std::string text;
    while (text.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd entry{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&entry, 1, static_cast<int>(left.count())) <= 0)
            return {};
        char chunk[256];
        const ssize_t count = ::read(fd, chunk, sizeof chunk);
        if (count <= 0)
            return {};
        text.append(chunk, static_cast<std::size_t>(count));
    }
    return text.substr(0, text.find('\n'));
}

} // namespace

ReaderSimulator::ReaderSimulator(std::vector<std::string> options, std::string portName)
    : m_directory(m_ownFiles.path()), m_portName(std::move(portName))
{
    start(std::move(options));
}

ReaderSimulator::ReaderSimulator(std::filesystem::path directory, std::vector<std::string> options,
                                 std::string portName)
    : m_directory(std::move(directory)), m_portName(std::move(portName))
{
    start(std::move(options));
}

ReaderSimulator::~ReaderSimulator()
{
    stop();
}

void ReaderSimulator::start(std::vector<std::string> options)
{
    std::vector<std::string> arguments{TEB_TAG_READER_SIM, "--dir", m_directory.string(), "--name",
                                       m_portName, "--log", (m_ownFiles / "received.log").string(),
                                       "--exit-with-parent"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    std::vector<char *> argv;
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "no pipe for the simulator's output";
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    const int spawned = posix_spawn(&m_pid, TEB_TAG_READER_SIM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    m_output = pipeEnds[0];
    if (spawned != 0) {
        m_pid = -1;
        ADD_FAILURE() << "cannot start " << TEB_TAG_READER_SIM;
        return;
    }

    const std::string line = firstLine(m_output);
    const std::string expectedStart = kReadyWord + m_portName + " -> ";
    if (line.rfind(expectedStart, 0) != 0) {
        ADD_FAILURE() << "the simulator did not get ready; it printed \"" << line << "\"";
        return;
    }
    m_devicePath = line.substr(expectedStart.size());
}

std::vector<std::string> ReaderSimulator::receivedLines() const
{
    std::ifstream log(m_ownFiles / "received.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    return lines;
}

int ReaderSimulator::stop()
{
    if (m_pid > 0)
        ::kill(m_pid, SIGTERM);
    const int status = reap();
    return status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ReaderSimulator::kill()
{
    if (m_pid > 0)
        ::kill(m_pid, SIGKILL);
    reap();
}

int ReaderSimulator::reap()
{
    int status = -1;
    if (m_pid > 0) {
        while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
    }
    if (m_output >= 0) {
        ::close(m_output);
        m_output = -1;
    }
    return status;
}

} // namespace teb::test
