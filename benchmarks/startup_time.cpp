// Times the station's start: from the moment its process is started to the
// port being open and to the main window shown, offscreen, in a prepared
// working directory with the simulated reader attached. Each start is a
// fresh process (Qt's libraries loaded, fonts found, artwork drawn), started
// as the station starts: application object, style, window, model.
// Usage: startup_time [starts]
#include "artwork.h"
#include "station.h"
#include "station_style.h"
#include "support/reader_simulator.h"
#include "support/temp_dir.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char **environ;

namespace teb::bench {
namespace {

constexpr int kDefaultStarts = 10;
constexpr double kTargetMs = 300.0;
constexpr int kShowTimeoutMs = 5000;

double monotonicMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The child: one station start; prints "<port open ms> <window shown ms>"
// counted from `spawnedAt`, and whether the port opened.
int startOnce(double spawnedAt, int argc, char **argv)
{
    QApplication application(argc, argv);
    gui::applyStationStyle(application);
    QApplication::setWindowIcon(gui::programIcon());
    gui::Station station;
    station.show(); // initialise (settings, set, port, timers) and show
    const double portOpenAt = monotonicMs();
    QElapsedTimer waited;
    waited.start();
    while (!(station.window().windowHandle() && station.window().windowHandle()->isExposed())
           && waited.elapsed() < kShowTimeoutMs)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    QApplication::processEvents(); // the first paint
    const double shownAt = monotonicMs();
    std::printf("%.2f %.2f %d\n", portOpenAt - spawnedAt, shownAt - spawnedAt, station.inModel([](CQV58Dlg &model) { return model.parts().link.state().portOpen; }) ? 1 : 0);
    return 0;
}

struct Start {
    double portOpenMs = 0;
    double shownMs = 0;
    bool portOpen = false;
};

bool spawnStart(const char *self, const std::filesystem::path &directory, Start &start)
{
    int output[2];
    if (pipe(output) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    const std::string spawnedAt = std::to_string(monotonicMs());
    char childFlag[] = "--child";
    std::string selfName = self;
    std::vector<char *> arguments{selfName.data(), childFlag, const_cast<char *>(spawnedAt.c_str()), nullptr};
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, self, &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    char line[128] = {};
    const ssize_t got = failed == 0 ? read(output[0], line, sizeof line - 1) : -1;
    close(output[0]);
    int status = 0;
    if (failed == 0)
        waitpid(pid, &status, 0);
    int portOpen = 0;
    if (got <= 0 || std::sscanf(line, "%lf %lf %d", &start.portOpenMs, &start.shownMs, &portOpen) != 3)
        return false;
    start.portOpen = portOpen == 1;
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

int run(const char *self, int starts)
{
    test::TempDir directory;
    test::writeFileBytes(directory / "TagEncoderBench.ini",
                         "[Interface]\r\nport=COM1\r\nbaudrate=115200\r\ndatabits=8\r\n");
    test::ReaderSimulator reader(directory.path(), {}, "COM1");
    if (!reader.ready()) {
        std::fprintf(stderr, "startup_time: the simulated reader did not start\n");
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<double> portOpen;
    std::vector<double> shown;
    for (int i = 0; i < starts; ++i) {
        Start start;
        if (!spawnStart(self, directory.path(), start) || !start.portOpen) {
            std::fprintf(stderr, "startup_time: start %d failed\n", i + 1);
            return 1;
        }
        portOpen.push_back(start.portOpenMs);
        shown.push_back(start.shownMs);
    }
    const auto [fastest, slowest] = std::minmax_element(shown.begin(), shown.end());
    std::printf("station start-up, %d starts, offscreen, simulated reader on COM1\n", starts);
    std::printf("  process start to port open     median %7.1f ms\n", median(portOpen));
    std::printf("  process start to window shown  median %7.1f ms  (fastest %.1f, slowest %.1f)\n", median(shown),
                *fastest, *slowest);
    std::printf("  target: window shown under %.0f ms: %s\n", kTargetMs, median(shown) < kTargetMs ? "met" : "missed");
    return 0;
}

} // namespace
} // namespace teb::bench

int main(int argc, char **argv)
{
    if (argc >= 3 && std::string(argv[1]) == "--child")
        return teb::bench::startOnce(std::atof(argv[2]), argc, argv);
    const int starts = argc >= 2 ? std::max(1, std::atoi(argv[1])) : teb::bench::kDefaultStarts;
    return teb::bench::run("/proc/self/exe", starts);
}
