#pragma once

#include "windows/main/dialog_gate.h"

#include <chrono>
#include <functional>

namespace teb {

// After "Stop", Escape or the close box the running transaction's answer is
// awaited this much longer at most; no command goes out after it.
inline constexpr std::chrono::milliseconds kStopGrace{1000};

// The one event the main window runs at a time and the reader operation
// inside it: "Stop", Escape and the close box act on it here, taken from
// the window while it waits for the reader.
class RunningOperation {
public:
    // What the operation asks of the window: "Stop" offered or taken back,
    // and what the operator did meanwhile, taken while the reader is awaited
    // (false: the window is ending).
    struct Window {
        std::function<void(bool offered)> offerStop;
        std::function<bool()> takeInterrupts;
    };

    // The event's time: while it lives, the window takes no other event.
    class Event {
    public:
        explicit Event(bool &running) : m_running(running) { m_running = true; }
        ~Event() { m_running = false; }
        Event(const Event &) = delete;
        Event &operator=(const Event &) = delete;

    private:
        bool &m_running;
    };

    RunningOperation(Window window, DialogGate &dialogs) : m_window(std::move(window)), m_dialogs(dialogs) {}

    bool running() const { return m_running; }
    bool waitingForReader() const { return m_waitingForReader; }
    bool stopRequested() const { return m_stopRequested; }

    [[nodiscard]] Event begin() { return Event(m_running); }
    void requestStop();
    // One slice of a wait for the reader; false when the wait is to end.
    bool whileReaderAnswers();
    // The close box: the operation stops and shows no more boxes; during a
    // wait for the reader the window closes once the operation is over.
    void stopForClose();
    // The event is over: "Stop" has nothing left to stop. True when a close
    // box came during its wait and the window is to close now.
    [[nodiscard]] bool end();

private:
    Window m_window;
    DialogGate &m_dialogs;
    bool m_running = false;
    bool m_waitingForReader = false;
    bool m_stopRequested = false;
    std::chrono::steady_clock::time_point m_stopRequestedAt;
    bool m_stopOffered = false;
    bool m_closeAfterOperation = false;
};

} // namespace teb
