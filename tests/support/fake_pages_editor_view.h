#pragma once

#include "windows/pages_editor/pages_editor.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace teb::test {

// The "Config Pages 3-17" dialog without a window system: holds the controls'
// texts and images, records focus moves and message boxes, and lets a test act
// as the operator while the dialog runs.
class FakePagesEditorView final : public Auto2View {
public:
    struct Control {
        std::string text;
        bool enabled = true;
        std::optional<bool> switchOn;
    };

    void setText(PagesControl id, const std::string &text) override { controls[id].text = text; }
    std::string text(PagesControl id) const override
    {
        const auto found = controls.find(id);
        return found == controls.end() ? std::string() : found->second.text;
    }
    void setEnabled(PagesControl id, bool enabled) override { controls[id].enabled = enabled; }
    void setSwitchImage(PagesControl id, bool on) override { controls[id].switchOn = on; }
    void setFocus(PagesControl id) override { focus = id; }
    void selectAll(PagesControl id) override { selected = id; }
    MessageAnswer showMessage(const MessageRequest &request) override
    {
        messages.push_back(request);
        return MessageAnswer::Ok;
    }
    DialogResult runModal(auto_2 &dialog) override
    {
        if (operatorActions)
            operatorActions(dialog, *this);
        if (!endResult)
            dialog.cancel();  // the close box
        return endResult.value_or(DialogResult::Cancel);
    }
    void endDialog(DialogResult result) override { endResult = result; }

    // The operator types into a cell and confirms it with Enter or Tab.
    void typeCell(auto_2 &dialog, int byte, const std::string &text)
    {
        setText(pagesCell(byte), text);
        dialog.enterPressed(pagesCell(byte));
    }
    std::string cell(int byte) const { return text(pagesCell(byte)); }
    bool switchImage(PagesControl id) const { return controls.at(id).switchOn.value_or(false); }

    std::map<PagesControl, Control> controls;
    std::vector<MessageRequest> messages;
    std::optional<PagesControl> focus;
    std::optional<PagesControl> selected;
    std::optional<DialogResult> endResult;
    std::function<void(auto_2 &, FakePagesEditorView &)> operatorActions;
};

} // namespace teb::test
