// tag-reader-sim: a simulated RFID reader on a pseudo-terminal (see --help).
#include "answer_faults.h"
#include "pseudo_terminal.h"
#include "reader_model.h"
#include "sim_options.h"

#include <cctype>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/signalfd.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <deque>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <thread>
#include <utility>

namespace teb::sim {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kLongestCommand = 4096;
constexpr std::size_t kReadChunk = 256;
// Rest after a failed read, so that a broken line cannot make the loop spin.
constexpr std::chrono::milliseconds kErrorRest{10};

std::string printable(const std::string &line)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte <= 0x7E && byte != '\\') {
            text.push_back(c);
        } else {
            text += "\\x";
            text.push_back(kDigits[byte >> 4]);
            text.push_back(kDigits[byte & 0x0F]);
        }
    }
    return text;
}

// The UID of the next transponder: the UID as a hexadecimal number plus one,
// as wide as before; a UID that is no such number stays as it is.
std::string nextUid(const std::string &uid)
{
    std::string next = uid;
    for (auto digit = next.rbegin(); digit != next.rend(); ++digit) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(*digit)));
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return uid;
        if (c != 'F') {
            *digit = c == '9' ? 'A' : static_cast<char>(c + 1);
            return next;
        }
        *digit = '0';
    }
    return next;
}

class AnswerLoop {
public:
    AnswerLoop(SimOptions &options, int master, std::ofstream *log, std::ofstream *writeLog)
        : m_options(options), m_faults(options.fault), m_master(master), m_log(log), m_writeLog(writeLog)
    {
    }

    // Runs until a stop signal can be read from `signals`. SIGUSR1 there puts
    // a new transponder, as the options made the first but with the next UID
    // (or the same one with --same-uid), on the antenna;
    // SIGUSR2 swaps the one on the antenna for the one that lay there before
    // it, as it was left. Either is taken before any command that arrived
    // after it.
    void run(int signals)
    {
        const std::optional<Transponder> newTransponder = m_options.reader.transponder;
        std::string lastUid = newTransponder ? newTransponder->uid : std::string();
        std::optional<Transponder> before;
        logAntenna("on the antenna");
        for (;;) {
            pollfd entries[2]{{m_master, POLLIN, 0}, {signals, POLLIN, 0}};
            const int result = ::poll(entries, 2, millisecondsToNextAnswer());
            if (result > 0 && entries[1].revents != 0) {
                signalfd_siginfo signal{};
                if (::read(signals, &signal, sizeof signal) != static_cast<ssize_t>(sizeof signal)
                    || (signal.ssi_signo != SIGUSR1 && signal.ssi_signo != SIGUSR2))
                    return;
                if (signal.ssi_signo == SIGUSR2) {
                    std::swap(before, m_options.reader.transponder);
                    logAntenna("put back");
                    continue;
                }
                before = std::exchange(m_options.reader.transponder, newTransponder);
                if (m_options.reader.transponder) {
                    if (!m_options.sameUid)
                        lastUid = nextUid(lastUid);
                    m_options.reader.transponder->uid = lastUid;
                }
                logAntenna("new on the antenna");
                continue;
            }
            if (result > 0 && (entries[0].revents & POLLIN))
                receive();
            else if (result > 0)
                rest();
            sendDueAnswers();
        }
    }

private:
    struct PendingAnswer {
        Clock::time_point due;
        std::string bytes;
    };

    // -1 (no limit) while no answer is waiting.
    int millisecondsToNextAnswer() const
    {
        if (m_pending.empty())
            return -1;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_pending.front().due - Clock::now());
        return static_cast<int>(std::max<std::int64_t>(left.count(), 0));
    }

    void rest() { std::this_thread::sleep_for(kErrorRest); }

    // "# transponder <UID> <how>" (or "# no transponder on the antenna"), so
    // that a log says which transponder each command after it went to.
    void logAntenna(const std::string &how)
    {
        if (!m_log)
            return;
        if (m_options.reader.transponder)
            *m_log << "# transponder " << m_options.reader.transponder->uid << ' ' << how << std::endl;
        else
            *m_log << "# no transponder on the antenna" << std::endl;
    }

    void receive()
    {
        char chunk[kReadChunk];
        const ssize_t count = ::read(m_master, chunk, sizeof chunk);
        if (count <= 0) {
            if (count < 0 && errno != EAGAIN && errno != EINTR)
                rest();
            return;
        }
        for (ssize_t i = 0; i < count; ++i)
            takeByte(chunk[i]);
    }

    void takeByte(char byte)
    {
        if (byte == '\r') {
            answer(m_line);
            m_line.clear();
        } else if (byte != '\n' && m_line.size() < kLongestCommand) {
            m_line.push_back(byte);
        }
    }

    void answer(const std::string &command)
    {
        if (m_log)
            *m_log << printable(command) << std::endl;
        // The command runs on a copy that is kept only when it takes effect,
        // so that a refused command leaves the transponder as it was.
        const bool hit = m_faults.hits(command);
        ReaderModel outcome = m_options.reader;
        std::optional<std::string> text = outcome.answer(command);
        if (!hit || m_faults.hitCommandTakesEffect()) {
            m_options.reader = std::move(outcome);
            logWrite(command, text);
        }
        auto delay = m_options.answerDelay;
        if (hit) {
            text = m_faults.apply(text);
            delay += m_faults.extraDelay();
        }
        if (!text)
            return;
        Clock::time_point due = Clock::now() + delay;
        if (!m_pending.empty())
            due = std::max(due, m_pending.back().due); // answers keep their order
        m_pending.push_back({due, framedAnswer(*text, m_options.noise, m_options.crLf)});
    }

    void logWrite(const std::string &command, const std::optional<std::string> &answer)
    {
        if (m_writeLog && answer == "ACK" && command.rfind("WD ", 0) == 0 && m_options.reader.transponder)
            *m_writeLog << m_options.reader.transponder->uid << ' ' << command << std::endl;
    }

    void sendDueAnswers()
    {
        while (!m_pending.empty() && m_pending.front().due <= Clock::now()) {
            send(m_pending.front().bytes);
            m_pending.pop_front();
        }
    }

    // While nobody has the line open its input queue may fill; what does not fit is lost.
    void send(const std::string &bytes)
    {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t count = ::write(m_master, bytes.data() + sent, bytes.size() - sent);
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0)
                return;
            sent += static_cast<std::size_t>(count);
        }
    }

    SimOptions &m_options;
    FaultInjector m_faults;
    int m_master;
    std::ofstream *m_log;
    std::ofstream *m_writeLog;
    std::string m_line;
    std::deque<PendingAnswer> m_pending;
};

// SIGINT, SIGTERM, SIGUSR1 and SIGUSR2, blocked and readable from the returned descriptor.
int stopSignalDescriptor()
{
    signal(SIGPIPE, SIG_IGN);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGUSR1);
    sigaddset(&stopSignals, SIGUSR2);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    const int fd = signalfd(-1, &stopSignals, SFD_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot watch for stop signals");
    return fd;
}

int runSimulator(SimOptions &options)
{
    const int stopSignals = stopSignalDescriptor();
    if (options.exitWithParent) {
        const pid_t parent = getppid();
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            return 0; // the parent ended before the request took hold
    }
    PseudoTerminal line;
    DeviceLink link(options.directory / options.portName, line.slavePath());
    std::ofstream log;
    if (!options.logFile.empty()) {
        log.open(options.logFile, std::ios::app | std::ios::binary);
        if (!log)
            throw std::runtime_error("cannot open the log file " + options.logFile.string());
    }
    std::ofstream writeLog;
    if (!options.writeLogFile.empty()) {
        writeLog.open(options.writeLogFile, std::ios::app | std::ios::binary);
        if (!writeLog)
            throw std::runtime_error("cannot open the write log " + options.writeLogFile.string());
    }
    std::cout << "ready " << options.portName << " -> " << line.slavePath() << std::endl;
    AnswerLoop loop(options, line.master(), log.is_open() ? &log : nullptr, writeLog.is_open() ? &writeLog : nullptr);
    loop.run(stopSignals);
    ::close(stopSignals);
    return 0;
}

} // namespace
} // namespace teb::sim

int main(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    teb::sim::ParsedOptions parsed = teb::sim::parseOptions(arguments);
    if (!parsed.error.empty()) {
        std::cerr << "tag-reader-sim: " << parsed.error << "\nTry 'tag-reader-sim --help'.\n";
        return 2;
    }
    if (parsed.showHelp) {
        std::cout << teb::sim::helpText();
        return 0;
    }
    try {
        return teb::sim::runSimulator(parsed.options);
    } catch (const std::exception &error) {
        std::cerr << "tag-reader-sim: " << error.what() << '\n';
        return 1;
    }
}
