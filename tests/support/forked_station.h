#pragma once

#include "windows/main/cqv58_dlg.h"
#include "windows/main/cqv58_dlg_timers.h"
#include "support/fake_dialog_host.h"
#include "support/fake_cqv58_dlg_view.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string_view>

#include <sys/wait.h>
#include <unistd.h>

namespace teb::test {

// Where the station process's transponders come from: a new one after each
// cycle, or the reader's earlier ones put back in turn before each cycle.
enum class Transponders { NewAfterEachCycle, PutBackBeforeEachCycle };

// A station in a process of its own, forked from the test: the main window
// without a window system in `folder`, pressing "One" for one transponder
// after another on the simulated reader (its process id given), until the
// data source is exhausted or `cycles` ran. `inChild` runs first in the new
// process (the crash trials set up their power cut there). Construction
// waits until the station is up.
class ForkedStation {
public:
    ForkedStation(const std::filesystem::path &folder, pid_t reader, int cycles = 100'000,
                  Transponders transponders = Transponders::NewAfterEachCycle,
                  const std::function<void()> &inChild = {})
    {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) { // never back into the test: its objects are the parent's
            ::close(pipeEnds[0]);
            try {
                if (inChild)
                    inChild();
                ::_exit(run(folder, reader, cycles, transponders, pipeEnds[1]));
            } catch (...) {
                ::_exit(5);
            }
        }
        ::close(pipeEnds[1]);
        char word[6] = {};
        m_ready = ::read(pipeEnds[0], word, sizeof word) == 6 && std::string_view(word, 6) == "ready\n";
        ::close(pipeEnds[0]);
    }
    ~ForkedStation()
    {
        if (m_pid > 0)
            kill();
    }
    ForkedStation(const ForkedStation &) = delete;
    ForkedStation &operator=(const ForkedStation &) = delete;

    bool ready() const { return m_ready; }
    // SIGKILL: the process ends where it is.
    void kill()
    {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    // Waits until it ran to its end by itself; true when it did so in good order.
    bool waitUntilDone()
    {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    // True when it ran to its end by itself (the source is exhausted).
    bool finished()
    {
        if (::waitpid(m_pid, nullptr, WNOHANG) != m_pid)
            return false;
        m_pid = -1;
        return true;
    }

private:
    // The station's own run: "ready" on `output` once it is up; 0 when it ends in good order.
    static int run(const std::filesystem::path &folder, pid_t reader, int cycles, Transponders transponders,
                   int output)
    {
        FakeCQV58DlgView view;
        FakeDialogHost dialogs;
        CQV58Dlg window(view, dialogs, [&] { return folder; });
        view.attach(window);
        window.initialise();
        if (!window.parts().link.state().portOpen || !window.parts().job.state().journal || ::write(output, "ready\n", 6) != 6)
            return 3;
        const auto exhausted = [&] {
            return std::ranges::any_of(dialogs.messages, [](const MessageRequest &message) {
                return message.text == "Quantity reached." || message.text == "Wrong Carrier ID format.";
            });
        };
        for (int cycle = 0; cycle < cycles && !exhausted(); ++cycle) {
            if (transponders == Transponders::PutBackBeforeEachCycle)
                ::kill(reader, SIGRTMIN); // the reader's next earlier transponder
            dialogs.messages.clear();
            window.tick(kCycleTimerId);
            view.click(Control::OneButton);
            window.tick(kCycleTimerId);
            if (transponders == Transponders::NewAfterEachCycle && !exhausted())
                ::kill(reader, SIGUSR1); // the next transponder
        }
        window.destroy();
        return 0;
    }

    pid_t m_pid = -1;
    bool m_ready = false;
};

} // namespace teb::test
