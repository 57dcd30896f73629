// The running operation on its own: "Stop" offered while it waits for the
// reader, the close box during a wait, and a window that ends under it.
#include "windows/main/operation/running_operation.h"

#include "support/fake_dialog_host.h"

#include <gtest/gtest.h>

#include <vector>

namespace teb {
namespace {

class RunningOperationTest : public ::testing::Test {
protected:
    std::vector<bool> stopOffers;
    std::function<bool()> duringWait = [] { return true; };
    test::FakeDialogHost host;
    DialogGate gate{host};
    RunningOperation operation{{[this](bool offered) { stopOffers.push_back(offered); },
                                [this] { return duringWait(); }},
                               gate};
};

TEST_F(RunningOperationTest, TheCloseBoxDuringAWaitStopsItShutsTheBoxesAndClosesAfterIt)
{
    const auto event = operation.begin();
    EXPECT_TRUE(operation.running());
    duringWait = [this] {
        EXPECT_TRUE(operation.waitingForReader());
        operation.stopForClose();
        return true;
    };
    EXPECT_TRUE(operation.whileReaderAnswers()) << "the running transaction keeps its grace";
    EXPECT_TRUE(operation.stopRequested());
    EXPECT_TRUE(gate.closed());
    EXPECT_FALSE(operation.waitingForReader());
    EXPECT_TRUE(operation.end()) << "the window closes once the operation is over";
    EXPECT_EQ(stopOffers, (std::vector<bool>{true, false}));
    EXPECT_FALSE(gate.closed());
    EXPECT_FALSE(operation.stopRequested());
    EXPECT_FALSE(operation.end()) << "the close is owed once";
}

TEST_F(RunningOperationTest, AStopOutsideAWaitOrAnEndingWindowClosesNothingLater)
{
    {
        const auto event = operation.begin();
        operation.stopForClose(); // a box was showing: the window closes at once, not after
        EXPECT_FALSE(operation.end());
    }
    EXPECT_FALSE(operation.running());
    duringWait = [] { return false; }; // a stop signal ends the window
    EXPECT_FALSE(operation.whileReaderAnswers());
    EXPECT_TRUE(operation.stopRequested());
    EXPECT_TRUE(gate.closed());
}

} // namespace
} // namespace teb
