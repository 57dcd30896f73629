#pragma once

#include "common/rgb.h"
#include "common/dialog_types.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace teb::test {

// The next answer of a script, or `otherwise` once it has run out.
template <typename T>
T takeNext(std::deque<T> &script, T otherwise)
{
    if (script.empty())
        return otherwise;
    T next = std::move(script.front());
    script.pop_front();
    return next;
}

// The texts of the message boxes shown, in order.
inline std::vector<std::string> textsOf(const std::vector<MessageRequest> &messages)
{
    std::vector<std::string> texts;
    for (const MessageRequest &request : messages)
        texts.push_back(request.text);
    return texts;
}

// An editor dialog without a window system: holds its controls' texts, lists,
// colours and switch images, records focus moves and message boxes, answers
// questions from a script (then No) and lets a test act as the operator while
// the dialog runs; a dialog the operator leaves open ends by its close box.
// Fake is the derived view, handed to the operator's actions.
template <typename Fake, typename View, typename Id, typename Dialog>
class FakeDialogView : public View {
public:
    struct Control {
        std::string text;
        std::vector<std::string> entries;
        bool enabled = true;
        std::optional<Rgb> background;
        std::optional<bool> switchOn;
    };

    void setText(Id id, const std::string &text) override { controls[id].text = text; }
    std::string text(Id id) const override { return control(id).text; }
    void setEnabled(Id id, bool enabled) override { controls[id].enabled = enabled; }
    void setSwitchImage(Id id, bool on) override { controls[id].switchOn = on; }
    void setFocus(Id id) override { focus = id; }
    void selectAll(Id) override {}
    MessageAnswer showMessage(const MessageRequest &request) override
    {
        messages.push_back(request);
        return request.buttons == MessageButtons::YesNo ? takeNext(answers, MessageAnswer::No) : MessageAnswer::Ok;
    }
    DialogResult runModal(Dialog &dialog) override
    {
        if (operatorActions)
            operatorActions(dialog, static_cast<Fake &>(*this));
        if (!endResult)
            dialog.cancel();  // the close box
        return endResult.value_or(DialogResult::Cancel);
    }
    void endDialog(DialogResult result) override { endResult = result; }

    // --- what the model left
    const Control &control(Id id) const
    {
        static const Control none;
        const auto found = controls.find(id);
        return found == controls.end() ? none : found->second;
    }
    bool isOn(Id id) const { return control(id).switchOn.value_or(false); }
    bool isEnabled(Id id) const { return control(id).enabled; }
    std::optional<Rgb> background(Id id) const { return control(id).background; }
    std::vector<std::string> messageTexts() const { return textsOf(messages); }

    std::map<Id, Control> controls;
    std::vector<MessageRequest> messages;
    std::deque<MessageAnswer> answers;
    std::optional<Id> focus;
    std::optional<DialogResult> endResult;
    std::function<void(Dialog &, Fake &)> operatorActions;
};

} // namespace teb::test
