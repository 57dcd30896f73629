// A station process for the kill trials: the main window without a window
// system, in the given working folder, pressing "One" for one transponder
// after another and asking the simulated reader (its process id given) for
// a new transponder after each cycle, until the data source is exhausted.
// Prints "ready" once the station is up, "done" at the end.
// Usage: station_runner <folder> <reader pid> [cycles]
#include "windows/main/cqv58_dlg.h"
#include "support/fake_dialog_host.h"
#include "support/fake_main_window_view.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kMaxCycles = 100'000;

bool sourceExhausted(const teb::test::FakeDialogHost &dialogs)
{
    for (const teb::MessageRequest &message : dialogs.messages)
        if (message.text == "Quantity reached." || message.text == "Wrong Carrier ID format.")
            return true;
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3 && argc != 4)
        return 2;
    const std::filesystem::path folder = argv[1];
    const pid_t reader = static_cast<pid_t>(std::atoi(argv[2]));
    const int cycles = argc == 4 ? std::atoi(argv[3]) : kMaxCycles;
    teb::test::FakeMainWindowView view;
    teb::test::FakeDialogHost dialogs;
    teb::CQV58Dlg window(view, dialogs, [&] { return folder; });
    view.attach(window);
    window.initialise();
    if (!window.link().portOpen || !window.job().journal)
        return 3;
    std::printf("ready\n");
    std::fflush(stdout);
    for (int cycle = 0; cycle < cycles; ++cycle) {
        dialogs.messages.clear();
        window.tick(teb::kCycleTimerId);
        view.click(teb::Control::OneButton);
        window.tick(teb::kCycleTimerId);
        if (sourceExhausted(dialogs))
            break;
        ::kill(reader, SIGUSR1); // the next transponder
    }
    window.destroy();
    std::printf("done\n");
    std::fflush(stdout);
    return 0;
}
