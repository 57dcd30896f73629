// How long the main window's event loop goes without running while "One"
// programs a transponder: 17 pages written and locked on a simulated reader
// that answers every command after 100 ms (as slowly as a real multipage
// reader writes a page), through the real window, offscreen. A 1 ms timer on
// the window's thread measures each gap between two of its ticks; the
// longest gap of a cycle is its stall. Prints the median and the worst stall
// over the cycles, and the median cycle for comparison (the stall of a
// window that would wait for the reader on its own thread): once on the
// machine as it is, once with two processes keeping its cores busy.
// Usage: window_stall [cycles] [answer-delay-ms]
#include "artwork.h"
#include "station.h"
#include "windows/main/cqv58_dlg_timers.h"
#include "station_style.h"
#include "support/automatic_job.h"
#include "support/reader_simulator.h"
#include "support/temp_dir.h"
#include "round_trip_stats.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace teb::bench {
namespace {

constexpr int kDefaultCycles = 20;
constexpr int kDefaultDelayMs = 100;
constexpr double kTargetMs = 50.0;
constexpr qint64 kCycleTimeoutMs = 60000;

// The longest gap between two ticks of a 1 ms timer since the last reset.
class StallMeter {
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_sinceTick.nsecsElapsed() / 1e6);
            m_sinceTick.restart();
        });
        m_sinceTick.start();
        m_timer.start(1);
    }
    void reset()
    {
        m_longest = 0;
        m_sinceTick.restart();
    }
    double longestMs() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    double m_longest = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Two processes that keep both cores busy while they live.
class BusyMachine {
public:
    explicit BusyMachine(int processes)
    {
        for (int i = 0; i < processes; ++i) {
            const pid_t child = fork();
            if (child == 0) {
                volatile unsigned long spin = 0;
                for (;;)
                    spin = spin + 1;
            }
            if (child > 0)
                m_children.push_back(child);
        }
    }
    ~BusyMachine()
    {
        for (const pid_t child : m_children) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
    }
    BusyMachine(const BusyMachine &) = delete;
    BusyMachine &operator=(const BusyMachine &) = delete;

private:
    std::vector<pid_t> m_children;
};

struct Stalls {
    std::vector<double> stalls;
    std::vector<double> durations;
    bool complete = true;
};

// "One" pressed `cycles` times, each on a new transponder; a cycle is over
// when the window's progress line moves on.
Stalls measure(gui::Station &station, test::ReaderSimulator &reader, int cycles)
{
    auto &one = dynamic_cast<QAbstractButton &>(*station.window().widget(Control::OneButton));
    StallMeter meter;
    Stalls result;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        reader.newTransponder();
        const std::string progress = station.window().text(Control::ProgressLabel);
        QElapsedTimer clock;
        clock.start();
        // "One" counts from the tick after the last cycle's event.
        QElapsedTimer sinceCycle;
        sinceCycle.start();
        while (sinceCycle.elapsed() < 3 * kCycleTimerPeriod.count())
            QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        station.inModel([](CQV58Dlg &) {});
        meter.reset();
        one.click();
        while (station.window().text(Control::ProgressLabel) == progress && clock.elapsed() < kCycleTimeoutMs)
            QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        if (station.window().text(Control::ProgressLabel) == progress) {
            QWidget *modal = QApplication::activeModalWidget();
            std::fprintf(stderr, "cycle %d did not program its transponder (%s) [%s] [%s] modal=%s\n", cycle + 1, progress.c_str(),
                         station.window().text(Control::ResultVerdict).c_str(), station.window().text(Control::ResultReason).c_str(),
                         modal ? qPrintable(modal->objectName() + modal->windowTitle()) : "none");
            result.complete = false;
            return result;
        }
        result.stalls.push_back(meter.longestMs());
        result.durations.push_back(static_cast<double>(clock.elapsed()));
    }
    return result;
}

double report(const char *machine, const Stalls &measured)
{
    const double worst = *std::max_element(measured.stalls.begin(), measured.stalls.end());
    std::printf("  %-6s cycle median %8.1f ms   event-loop stall median %6.1f ms   worst %6.1f ms   (target < %.0f ms)\n",
                machine, median(measured.durations), median(measured.stalls), worst, kTargetMs);
    std::printf("         %s\n", describeLoad().c_str());
    return worst;
}

int run(int cycles, int delayMs)
{
    test::TempDir directory;
    test::ReaderSimulator reader(directory.path(), {"--family", "orvex", "--delay", std::to_string(delayMs)}, "COM7");
    if (!reader.ready())
        return 1;
    test::writeAutomaticStation(directory.path(), test::automaticJob(), "100000");
    gui::Station station([&] { return directory.path(); });
    station.show();
    if (!station.inModel([](CQV58Dlg &model) { return model.parts().link.state().portOpen; })) {
        std::fprintf(stderr, "the simulated reader's port did not open\n");
        return 1;
    }
    std::printf("%d cycles of 17 pages written and locked, the reader answering after %d ms\n", cycles, delayMs);
    const Stalls idle = measure(station, reader, cycles);
    if (!idle.complete)
        return 1;
    const double idleWorst = report("idle", idle);
    Stalls loaded;
    {
        const BusyMachine busy(2);
        loaded = measure(station, reader, cycles);
    }
    if (!loaded.complete)
        return 1;
    const double loadedWorst = report("loaded", loaded);
    station.window().close();
    return idleWorst < kTargetMs && loadedWorst < kTargetMs ? 0 : 2;
}

} // namespace
} // namespace teb::bench

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    teb::gui::applyStationStyle(application);
    QApplication::setWindowIcon(teb::gui::programIcon());
    const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : teb::bench::kDefaultCycles;
    const int delayMs = argc > 2 ? std::max(0, std::atoi(argv[2])) : teb::bench::kDefaultDelayMs;
    return teb::bench::run(cycles, delayMs);
}
