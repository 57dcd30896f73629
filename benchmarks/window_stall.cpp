// How long the main window's event loop goes without running while "One"
// programs a transponder: 17 pages written and locked on a simulated reader
// that answers every command after 100 ms (as slowly as a real multipage
// reader writes a page), through the real window, offscreen. A 1 ms timer on
// the window's thread measures each gap between two of its ticks; the
// longest gap of a cycle is its stall. Prints the median and the worst stall
// over the cycles, and the median cycle for comparison (the stall of a
// window that would wait for the reader on its own thread).
// Usage: window_stall [cycles] [answer-delay-ms]
#include "artwork.h"
#include "station.h"
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
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

int run(int cycles, int delayMs)
{
    test::TempDir directory;
    test::ReaderSimulator reader(directory.path(), {"--family", "orvex", "--delay", std::to_string(delayMs)}, "COM7");
    if (!reader.ready())
        return 1;
    test::writeAutomaticStation(directory.path(), test::automaticJob(), "100000");
    gui::Station station([&] { return directory.path(); });
    station.show();
    if (!station.model().link().portOpen) {
        std::fprintf(stderr, "the simulated reader's port did not open\n");
        return 1;
    }
    auto &one = dynamic_cast<QAbstractButton &>(*station.window().widget(Control::OneButton));
    StallMeter meter;
    std::vector<double> stalls;
    std::vector<double> durations;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        reader.newTransponder();
        const std::uint64_t programmed = station.model().job().programmedInSet;
        QElapsedTimer clock;
        clock.start();
        QApplication::processEvents(QEventLoop::AllEvents, 20); // the tick after the last cycle
        meter.reset();
        one.click();
        while (station.model().job().programmedInSet == programmed && clock.elapsed() < kCycleTimeoutMs)
            QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        if (station.model().job().programmedInSet == programmed) {
            std::fprintf(stderr, "cycle %d did not program its transponder\n", cycle + 1);
            return 1;
        }
        stalls.push_back(meter.longestMs());
        durations.push_back(static_cast<double>(clock.elapsed()));
    }
    const double worst = *std::max_element(stalls.begin(), stalls.end());
    std::printf("%d cycles of 17 pages written and locked, the reader answering after %d ms\n", cycles, delayMs);
    std::printf("  cycle                      median %8.1f ms\n", median(durations));
    std::printf("  longest event-loop stall   median %8.1f ms   worst %8.1f ms   (target < %.0f ms)\n",
                median(stalls), worst, kTargetMs);
    std::printf("  %s\n", describeLoad().c_str());
    station.window().close();
    return worst < kTargetMs ? 0 : 2;
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
