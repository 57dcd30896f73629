#pragma once

#include <chrono>

namespace teb {

// Timers of the main window.
inline constexpr int kCycleTimerId = 3;
inline constexpr std::chrono::milliseconds kCycleTimerPeriod{10};
inline constexpr int kRequestTimerId = 5;
inline constexpr std::chrono::milliseconds kRequestTimerPeriod{500};
// "Cont On": how often the reader is asked for the UID on its antenna.
inline constexpr int kContinuousTimerId = 7;
inline constexpr std::chrono::milliseconds kContinuousPollPeriod{300};

} // namespace teb
