#include "app/main_window_control.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace teb {
namespace {

TEST(MainWindowControls, PageControlsOfEveryPageAreFoundBackFromTheirIds)
{
    std::set<Control> seen;
    for (int page = 1; page <= kPageCount; ++page) {
        EXPECT_EQ(pageOfPageBox(pageBox(page)), page);
        EXPECT_EQ(pageOfSelectBox(pageSelectBox(page)), page);
        EXPECT_EQ(controlInfo(pageBox(page)).kind, ControlKind::EditBox);
        EXPECT_EQ(controlInfo(pageSelectBox(page)).kind, ControlKind::SelectionBox);
        EXPECT_EQ(controlInfo(pageLabel(page)).caption, "P" + std::to_string(page));
        for (Control id : {pageBox(page), pageSelectBox(page), pageLabel(page), pageNote(page)})
            EXPECT_TRUE(seen.insert(id).second) << controlInfo(id).name;
    }
    EXPECT_EQ(pageOfPageBox(Control::SelectAll), std::nullopt);
    EXPECT_EQ(pageOfPageBox(Control::PageNote1), std::nullopt);
    EXPECT_EQ(pageOfSelectBox(Control::PageLabel1), std::nullopt);
}

} // namespace
} // namespace teb
