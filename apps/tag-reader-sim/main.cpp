// tag-reader-sim: a simulated RFID reader on a pseudo-terminal (see --help).
#include "answer_loop.h"
#include "pseudo_terminal.h"
#include "reader_model.h"
#include "sim_options.h"

#include <sys/prctl.h>
#include <sys/signalfd.h>
#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <stdexcept>

namespace teb::sim {
namespace {

// The stop signals and those that change the transponder or the faults,
// blocked and readable from the returned descriptor.
int signalDescriptor()
{
    signal(SIGPIPE, SIG_IGN);
    sigset_t taken;
    sigemptyset(&taken);
    for (const int number : {SIGINT, SIGTERM, SIGUSR1, SIGUSR2, putBackInTurnSignal(), faultsOffSignal()})
        sigaddset(&taken, number);
    sigprocmask(SIG_BLOCK, &taken, nullptr);
    const int fd = signalfd(-1, &taken, SFD_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot watch for signals");
    return fd;
}

int runSimulator(SimOptions &options)
{
    const int signals = signalDescriptor();
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
    loop.run(signals);
    ::close(signals);
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
