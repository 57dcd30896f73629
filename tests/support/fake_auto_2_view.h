#pragma once

#include "windows/pages_editor/auto_2.h"
#include "support/fake_dialog_view.h"

namespace teb::test {

// The "Config Pages 3-17" dialog without a window system.
class FakeAuto_2View final : public FakeDialogView<FakeAuto_2View, auto_2View, PagesControl, auto_2> {
public:
    // The operator types into a cell and confirms it with Enter or Tab.
    void typeCell(auto_2 &dialog, int byte, const std::string &text)
    {
        setText(pagesCell(byte), text);
        dialog.enterPressed(pagesCell(byte));
    }
    std::string cell(int byte) const { return text(pagesCell(byte)); }
};

} // namespace teb::test
