// PASS or FAIL as automatic mode shows it, and the job's count.
#include "windows/main/result/result_part.h"

#include "support/fake_cqv58_dlg_view.h"

#include <gtest/gtest.h>

namespace teb::test {
namespace {

bool resultShown(const FakeCQV58DlgView &view)
{
    return view.control(Control::ResultVerdict).visible && view.control(Control::ResultReason).visible;
}

// A FAIL shows its reason in automatic mode only; a new "One" takes the
// verdict away, and the count follows the source: a fixed-data job counts
// its own transponders, a counter the set's.
TEST(ResultPart, ShowsTheVerdictInAutomaticModeUntilTheNextOne)
{
    FakeCQV58DlgView view;
    ResultPart result(view);
    JobState job;
    job.currentSet.quantity = "25";
    job.programmedCount = 3;
    job.programmedInSet = 7;

    result.take(CycleResult{false, "00001000", "E0040150", "page 5 is locked"}, job, true);
    EXPECT_TRUE(resultShown(view));
    EXPECT_EQ(view.text(Control::ResultVerdict), "FAIL");
    EXPECT_EQ(view.text(Control::ResultReason), "page 5 is locked");
    EXPECT_EQ(view.text(Control::ProgressLabel), "3 of 25 programmed");
    EXPECT_FALSE(result.passed());

    result.show(false);
    EXPECT_FALSE(resultShown(view));
    result.show(true);
    EXPECT_TRUE(resultShown(view));
    result.clear(true);
    EXPECT_FALSE(resultShown(view) || result.last());

    job.currentSet.useDecimalCounter = true;
    result.take(CycleResult{true, "00001001", "E0040151", ""}, job, true);
    EXPECT_EQ(view.text(Control::ResultVerdict), "PASS");
    EXPECT_EQ(view.text(Control::ResultReason), "read back as written, confirmed in the journal");
    EXPECT_EQ(view.text(Control::ProgressLabel), "7 of 25 programmed");
    EXPECT_TRUE(result.passed());
}

} // namespace
} // namespace teb::test
