#pragma once

#include "answer_faults.h"
#include "random_faults.h"
#include "sim_options.h"
#include "transponder_shelf.h"

#include <chrono>
#include <deque>
#include <fstream>
#include <optional>
#include <string>

namespace teb::sim {

// The signals besides SIGUSR1 and SIGUSR2 that change what the reader does.
int putBackInTurnSignal();  // SIGRTMIN: the next earlier transponder, in the order they first came
int faultsOffSignal();      // SIGRTMIN+1: no injected fault and no swap from now on

// The reader at work: takes the command lines from the pseudo-terminal's
// master side, answers them (with the faults asked for) and changes the
// transponder on the antenna on the signals.
class AnswerLoop {
public:
    AnswerLoop(SimOptions &options, int master, std::ofstream *log, std::ofstream *writeLog);

    // Runs until a stop signal can be read from `signals`. A signal that
    // changes the transponder is taken before any command that arrived after it.
    void run(int signals);

private:
    using Clock = std::chrono::steady_clock;
    struct PendingAnswer {
        Clock::time_point due;
        std::string bytes;
    };

    bool takeSignal(int signals); // false: a stop signal
    int millisecondsToNextAnswer() const;
    void logAntenna(const std::string &how);
    void receive();
    void takeByte(char byte);
    void answer(const std::string &command);
    std::optional<FaultKind> faultFor(const std::string &command);
    void logEffect(const std::string &command, const std::optional<std::string> &answer);
    void sendDueAnswers();
    void send(const std::string &bytes);

    SimOptions &m_options;
    TransponderShelf m_shelf;
    FaultInjector m_faults;
    RandomFaults m_randomFaults;
    CommandTrigger m_swap;
    bool m_swapping;
    bool m_faultsOn = true;
    int m_master;
    std::ofstream *m_log;
    std::ofstream *m_writeLog;
    std::string m_line;
    std::deque<PendingAnswer> m_pending;
};

// Bytes other than printable ASCII (and the backslash) as \xNN.
std::string printable(const std::string &line);

} // namespace teb::sim
