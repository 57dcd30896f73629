// The main window's events on their way to a model on its own thread, and
// the model's calls back to the window's thread.
#include "event_relay.h"
#include "gui_calls.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace teb::gui {
namespace {

// A model that logs its events; "Read" is an operation that waits for the
// reader until "Stop" or Escape reaches it (at most two seconds), "Lock" the
// same after some work of its own.
class LoggingModel final : public CQV58DlgEvents {
public:
    EventRelay *relay = nullptr;

    bool initialise() override { return true; }
    void destroy() override { log("destroy"); }
    void closeRequest() override { log("close"); }
    void escape() override
    {
        log("escape");
        stopped = true;
    }
    void defaultAction() override { log("default"); }
    void menuCommand(MenuItem) override { log("menu"); }
    void clicked(Control id) override
    {
        log("click " + std::to_string(static_cast<int>(id)));
        if (id == Control::ReadButton)
            waitForStop();
        if (id == Control::LockButton)
            busyUntilReleased();
        if (id == Control::StopButton)
            stopped = true;
    }
    void enterPressed(Control) override { log("enter"); }
    void focusLost(Control) override { log("focus"); }
    void spinStep(Control, SpinDirection) override { log("spin"); }
    void tick(int timerId) override { log("tick " + std::to_string(timerId)); }
    void inboxPosted() override { log("inbox"); }

    std::vector<std::string> events()
    {
        const std::lock_guard lock(m_mutex);
        return m_events;
    }
    bool stopped = false;
    std::atomic<bool> busy = false;
    std::atomic<bool> released = false;

private:
    void busyUntilReleased()
    {
        busy = true;
        const auto due = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!released && std::chrono::steady_clock::now() < due)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        waitForStop();
    }
    void waitForStop()
    {
        const auto due = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!stopped && std::chrono::steady_clock::now() < due) {
            relay->takeInterrupts();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        log(stopped ? "read stopped" : "read timed out");
    }
    void log(std::string event)
    {
        const std::lock_guard lock(m_mutex);
        m_events.push_back(std::move(event));
    }
    std::mutex m_mutex;
    std::vector<std::string> m_events;
};

std::string name(Control id) { return "click " + std::to_string(static_cast<int>(id)); }

// The logging model behind its relay, as a station wires them.
struct RelayedModel {
    RelayedModel() { model.relay = &relay; }
    LoggingModel model;
    GuiCalls calls;
    EventRelay relay{model, calls, {}};
};

} // namespace

class EventRelayTest : public QObject {
    Q_OBJECT

private slots:
    // During a wait for the reader "Stop", Escape, the close box and the
    // receive thread's wake-ups reach the operation at its next look; other
    // clicks and ticks are dropped. Afterwards reports run in order again.
    void aWaitingOperationHearsOnlyWhatMaySteerIt()
    {
        RelayedModel station;
        auto &[model, calls, relay] = station;

        relay.clicked(Control::ReadButton);
        QTRY_VERIFY(relay.waitingForReader());
        relay.clicked(Control::WriteButton);
        relay.menuCommand(MenuItem::Config);
        relay.tick(5);
        relay.escape();
        relay.inboxPosted();
        relay.closeRequest();
        relay.clicked(Control::StopButton);
        QTRY_VERIFY(!relay.waitingForReader());
        relay.runAndServe([] {});
        QCOMPARE(model.events(), (std::vector<std::string>{name(Control::ReadButton), "escape", "inbox", "close",
                                                            name(Control::StopButton), "read stopped"}));

        relay.clicked(Control::WriteButton);
        relay.clicked(Control::ReadUidButton);
        relay.runAndServe([] {});
        const std::vector<std::string> all = model.events();
        const std::vector<std::string> after(all.begin() + 6, all.end());
        QCOMPARE(after, (std::vector<std::string>{name(Control::WriteButton), name(Control::ReadUidButton)}));
    }

    // Escape while the running event still works before its wait for the
    // reader stops that wait; it does not end the window after the event.
    void escapeBeforeTheWaitStopsIt()
    {
        RelayedModel station;
        auto &[model, calls, relay] = station;

        relay.clicked(Control::LockButton);
        QTRY_VERIFY(model.busy);
        relay.escape();
        relay.menuCommand(MenuItem::HelpInfo);
        model.released = true;
        relay.runAndServe([] {});
        QCOMPARE(model.events(), (std::vector<std::string>{name(Control::LockButton), "escape", "read stopped", "menu"}));
    }

    // A box that loses the focus because the model moved it (the report
    // comes while the window runs the model's call) is the model's own
    // doing and does not come back to it as an event.
    void whatTheModelsOwnCallsCauseIsDropped()
    {
        RelayedModel station;
        auto &[model, calls, relay] = station;
        relay.runAndServe([&] { calls.run([&] { relay.focusLost(Control::NextBox); }); });
        relay.focusLost(Control::MaxBox);
        relay.runAndServe([] {});
        QCOMPARE(model.events(), std::vector<std::string>{"focus"});
    }

    // A model's call runs on the window's thread while the window waits for
    // the model, and what it throws is thrown again on the model's thread.
    void callsRunOnTheWindowsThreadAndTheirFailuresComeBack()
    {
        LoggingModel model;
        GuiCalls calls;
        EventRelay relay(model, calls, {});
        QThread *ranOn = nullptr;
        std::string failure;
        relay.runAndServe([&] {
            calls.run([&] { ranOn = QThread::currentThread(); });
            try {
                calls.run([] { throw std::logic_error("no such control"); });
            } catch (const std::logic_error &error) {
                failure = error.what();
            }
        });
        QCOMPARE(ranOn, QThread::currentThread());
        QCOMPARE(failure, std::string("no such control"));
    }
};

} // namespace teb::gui

QTEST_MAIN(teb::gui::EventRelayTest)
#include "event_relay_test.moc"
