#include "answer_loop.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <thread>
#include <utility>

namespace teb::sim {

namespace {

constexpr std::size_t kLongestCommand = 4096;
constexpr std::size_t kReadChunk = 256;
// Rest after a failed read, so that a broken line cannot make the loop spin.
constexpr std::chrono::milliseconds kErrorRest{10};

void rest() { std::this_thread::sleep_for(kErrorRest); }

} // namespace

int putBackInTurnSignal() { return SIGRTMIN; }
int faultsOffSignal() { return SIGRTMIN + 1; }

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

AnswerLoop::AnswerLoop(SimOptions &options, int master, std::ofstream *log, std::ofstream *writeLog)
    : m_options(options), m_shelf(options.reader.transponder, options.sameUid), m_faults(options.fault),
      m_randomFaults(options.randomFaults), m_swap(options.swap.commandFilter, options.swap.count),
      m_swapping(!options.swap.commandFilter.empty()), m_master(master), m_log(log), m_writeLog(writeLog)
{
}

void AnswerLoop::run(int signals)
{
    logAntenna("on the antenna");
    for (;;) {
        pollfd entries[2]{{m_master, POLLIN, 0}, {signals, POLLIN, 0}};
        const int result = ::poll(entries, 2, millisecondsToNextAnswer());
        if (result > 0 && entries[1].revents != 0) {
            if (!takeSignal(signals))
                return;
            continue;
        }
        if (result > 0 && (entries[0].revents & POLLIN))
            receive();
        else if (result > 0)
            rest();
        sendDueAnswers();
    }
}

bool AnswerLoop::takeSignal(int signals)
{
    signalfd_siginfo signal{};
    if (::read(signals, &signal, sizeof signal) != static_cast<ssize_t>(sizeof signal))
        return false;
    const int number = static_cast<int>(signal.ssi_signo);
    std::optional<Transponder> &onAntenna = m_options.reader.transponder;
    if (number == SIGUSR1) {
        m_shelf.putNew(onAntenna);
        logAntenna("new on the antenna");
    } else if (number == SIGUSR2) {
        m_shelf.swapWithPrevious(onAntenna);
        logAntenna("put back");
    } else if (number == putBackInTurnSignal()) {
        m_shelf.putBackInTurn(onAntenna);
        logAntenna("put back in turn");
    } else if (number == faultsOffSignal()) {
        m_faultsOn = false;
        if (m_log)
            *m_log << "# faults off" << std::endl;
        return true;
    } else {
        return false;
    }
    m_options.reader.antennaChanged();
    return true;
}

// -1 (no limit) while no answer is waiting.
int AnswerLoop::millisecondsToNextAnswer() const
{
    if (m_pending.empty())
        return -1;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_pending.front().due - Clock::now());
    return static_cast<int>(std::max<std::int64_t>(left.count(), 0));
}

// "# transponder <UID> <how>" (or "# no transponder on the antenna"), so
// that a log says which transponder each command after it went to.
void AnswerLoop::logAntenna(const std::string &how)
{
    if (!m_log)
        return;
    if (m_options.reader.transponder)
        *m_log << "# transponder " << m_options.reader.transponder->uid << ' ' << how << std::endl;
    else
        *m_log << "# no transponder on the antenna" << std::endl;
}

void AnswerLoop::receive()
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

void AnswerLoop::takeByte(char byte)
{
    if (byte == '\r') {
        answer(m_line);
        m_line.clear();
    } else if (byte != '\n' && m_line.size() < kLongestCommand) {
        m_line.push_back(byte);
    }
}

void AnswerLoop::answer(const std::string &command)
{
    if (m_log)
        *m_log << printable(command) << std::endl;
    // The command runs on a copy that is kept only when it takes effect,
    // so that a refused command leaves the transponder as it was.
    const std::optional<FaultKind> fault = faultFor(command);
    ReaderModel outcome = m_options.reader;
    std::optional<std::string> text = outcome.answer(command);
    if (!fault || faultTakesEffect(*fault)) {
        m_options.reader = std::move(outcome);
        logEffect(command, text);
    }
    auto delay = m_options.answerDelay;
    if (fault) {
        if (m_log)
            *m_log << "# fault " << faultName(*fault) << " on " << printable(command) << std::endl;
        text = faultyAnswer(*fault, text);
        delay += m_faults.extraDelay(*fault);
    }
    if (text) {
        Clock::time_point due = Clock::now() + delay;
        if (!m_pending.empty())
            due = std::max(due, m_pending.back().due); // answers keep their order
        m_pending.push_back({due, framedAnswer(*text, m_options.noise, m_options.crLf)});
    }
    if (m_swapping && m_faultsOn && m_swap.fires(command)) {
        m_shelf.putNew(m_options.reader.transponder);
        m_options.reader.antennaChanged();
        logAntenna("new on the antenna");
    }
}

std::optional<FaultKind> AnswerLoop::faultFor(const std::string &command)
{
    if (!m_faultsOn)
        return std::nullopt;
    if (const auto fault = m_faults.hit(command))
        return fault;
    return m_randomFaults.hit(command);
}

// "<UID> WD n <hex>" and "<UID> LD n" for each write and lock that took effect.
void AnswerLoop::logEffect(const std::string &command, const std::optional<std::string> &answer)
{
    const bool changesTag = command.rfind("WD ", 0) == 0 || command.rfind("LD ", 0) == 0;
    if (m_writeLog && changesTag && answer == "ACK" && m_options.reader.transponder)
        *m_writeLog << m_options.reader.transponder->uid << ' ' << command << std::endl;
}

void AnswerLoop::sendDueAnswers()
{
    while (!m_pending.empty() && m_pending.front().due <= Clock::now()) {
        send(m_pending.front().bytes);
        m_pending.pop_front();
    }
}

// While nobody has the line open its input queue may fill; what does not fit is lost.
void AnswerLoop::send(const std::string &bytes)
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

} // namespace teb::sim
