#pragma once

#include "power_cut.h"

#include "windows/main/cqv58_dlg.h"
#include "support/fake_dialog_host.h"
#include "support/fake_main_window_view.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string_view>

#include <sys/wait.h>
#include <unistd.h>

namespace teb::test {

// Where a station process loses power: at one of its syncs in the folder
// (syncNumber from 1), or never by itself (0: the test cuts it at a time).
struct CutPlan {
    int syncNumber = 0;
    power_cut::CutMoment moment = power_cut::CutMoment::BeforeSync;
};

// A station in a process of its own, forked from the test, its syncs in
// `folder` going through the power-cut model: the main window without a
// window system pressing "One" for one transponder after another, asking
// the simulated reader for a new one after each cycle, until `cycles` ran,
// the source is exhausted or the plan cuts it. Construction waits until it is up.
class CrashStation {
public:
    CrashStation(const std::filesystem::path &folder, const std::filesystem::path &shadow, pid_t reader,
                 CutPlan plan, int cycles)
    {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) { // never back into the test: its objects are the parent's
            ::close(pipeEnds[0]);
            try {
                power_cut::watch(folder, shadow);
                power_cut::cutAtSync(plan.syncNumber, plan.moment);
                ::_exit(run(folder, reader, cycles, pipeEnds[1]));
            } catch (...) {
                ::_exit(5);
            }
        }
        ::close(pipeEnds[1]);
        char word[6] = {};
        m_ready = ::read(pipeEnds[0], word, sizeof word) == 6 && std::string_view(word, 6) == "ready\n";
        ::close(pipeEnds[0]);
    }
    ~CrashStation()
    {
        if (m_pid > 0)
            cut();
    }
    CrashStation(const CrashStation &) = delete;
    CrashStation &operator=(const CrashStation &) = delete;

    bool ready() const { return m_ready; }
    // The power goes: the process ends where it is.
    void cut()
    {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    // Waits for its end; true when it ran to its end by itself in good order.
    bool waitUntilDone()
    {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    static int run(const std::filesystem::path &folder, pid_t reader, int cycles, int output)
    {
        FakeMainWindowView view;
        FakeDialogHost dialogs;
        CQV58Dlg window(view, dialogs, [&] { return folder; });
        view.attach(window);
        window.initialise();
        if (!window.link().portOpen || !window.job().journal || ::write(output, "ready\n", 6) != 6)
            return 3;
        const auto exhausted = [&] {
            return std::ranges::any_of(dialogs.messages, [](const MessageRequest &message) {
                return message.text == "Quantity reached." || message.text == "Wrong Carrier ID format.";
            });
        };
        for (int cycle = 0; cycle < cycles && !exhausted(); ++cycle) {
            dialogs.messages.clear();
            window.tick(kCycleTimerId);
            view.click(Control::OneButton);
            window.tick(kCycleTimerId);
            if (!exhausted())
                ::kill(reader, SIGUSR1); // the next transponder
        }
        window.destroy();
        return 0;
    }

    pid_t m_pid = -1;
    bool m_ready = false;
};

} // namespace teb::test
