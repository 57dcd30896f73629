#pragma once

#include "answer_faults.h"
#include "random_faults.h"
#include "reader_model.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace teb::sim {

// The next transponder comes onto the antenna right after the commands that
// begin with these words are answered (the first `count` of them; 0: all).
struct SwapPlan {
    std::string commandFilter; // empty: no swap
    int count = 0;
};

struct SimOptions {
    std::filesystem::path directory = ".";
    std::string portName = "COM7";
    ReaderModel reader;
    std::chrono::milliseconds answerDelay{0};
    FaultPlan fault;
    RandomFaultPlan randomFaults;
    SwapPlan swap;
    bool crLf = false;
    std::string noise;
    std::filesystem::path logFile; // empty: no log
    std::filesystem::path writeLogFile; // empty: no log of the writes that took effect
    bool exitWithParent = false;
    bool sameUid = false; // every new transponder keeps the first one's UID
};

struct ParsedOptions {
    SimOptions options;
    bool showHelp = false;
    std::string error; // not empty: the options cannot be used
};

// The options after the program name.
ParsedOptions parseOptions(const std::vector<std::string> &arguments);

std::string helpText();

} // namespace teb::sim
