#pragma once

#include "reader/date_time_stamp.h"

#include <string>

namespace teb {

// What the window's operations leave for the ticks and for each other: a
// requested cycle, an error shown at the next tick, whether the default
// action is on, the failed steps of the running operation, and the clock.
struct RunState {
    bool cycleRequested = false;
    bool errorPending = false;
    std::string errorText;
    bool defaultActionEnabled = true;
    int errorCount = 0; // failed steps of the current operation; 0 = success
    WallClock wallClock = systemWallClock(); // the stamp of record and log entries
};

} // namespace teb
