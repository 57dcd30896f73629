#include "reader/manual_reset_event.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace teb {
namespace {

using namespace std::chrono_literals;

// Waits that must end: generous, far beyond what the wake-up takes.
constexpr auto kSignalArrives = 10s;
// Waits that must time out: any value shows it, short keeps the suite quick.
constexpr auto kNoSignal = 20ms;

TEST(ManualResetEvent, KeepsItsNameAndStartsUnsignalled)
{
    ManualResetEvent event("ThreadEvent_CR");
    EXPECT_EQ(event.name(), "ThreadEvent_CR");
    EXPECT_FALSE(event.isSet());
    EXPECT_FALSE(event.waitFor(kNoSignal));
}

TEST(ManualResetEvent, StaysSignalledForEveryWaiterUntilReset)
{
    ManualResetEvent event("e");
    event.set();
    EXPECT_TRUE(event.waitFor(kNoSignal));
    EXPECT_TRUE(event.waitFor(kNoSignal));
    event.wait();
    event.reset();
    EXPECT_FALSE(event.waitFor(kNoSignal));
}

TEST(ManualResetEvent, WakesWaitersOnOtherThreads)
{
    ManualResetEvent event("e");
    std::vector<std::thread> waiters;
    std::atomic<int> woken{0};
    for (int i = 0; i < 3; ++i)
        waiters.emplace_back([&] {
            if (event.waitFor(kSignalArrives))
                ++woken;
        });
    event.set();
    for (std::thread &waiter : waiters)
        waiter.join();
    EXPECT_EQ(woken, 3);
}

TEST(ManualResetEvent, HandsDataOverWithTheSignalAndTakesBothTogether)
{
    ManualResetEvent event("e");
    std::string shared; // guarded by the event
    std::thread producer([&] { event.setWith([&] { shared = "ACK\r\n"; }); });
    std::string taken;
    EXPECT_TRUE(event.takeWithin(kSignalArrives, [&] { taken = shared; }));
    producer.join();
    EXPECT_EQ(taken, "ACK\r\n");
    EXPECT_FALSE(event.isSet());

    bool ran = false;
    EXPECT_FALSE(event.takeWithin(kNoSignal, [&] { ran = true; }));
    EXPECT_FALSE(ran);
}

} // namespace
} // namespace teb
