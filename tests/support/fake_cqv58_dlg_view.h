#pragma once

#include "windows/main/cqv58_dlg_events.h"
#include "windows/main/cqv58_dlg_view.h"
#include "windows/main/terminal_text.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace teb::test {

// What the fake view holds for one control.
struct FakeControl {
    std::string text;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    std::optional<Rgb> background;
};

// A main window without a window system: records what the model does to it
// and lets a test act as the operator. Like the real window it refuses calls
// that do not fit a control's kind, and delivers the receive thread's wake-ups
// late: only when the test says so (deliverPosted), as the window's event loop
// would.
class FakeCQV58DlgView final : public CQV58DlgView {
public:
    FakeCQV58DlgView() : m_controls(controlCount()) {}

    void attach(CQV58DlgEvents &events) { m_events = &events; }

    void setText(Control id, const std::string &text) override { at(id, ControlOperation::Text).text = text; }
    std::string text(Control id) const override { return fitting(id, ControlOperation::Text).text; }
    void prependTerminalText(const std::string &text) override { prepend(Control::TerminalView, text); }
    void prependTraceText(const std::string &text) override { prepend(Control::TraceView, text); }
    void setChecked(Control id, bool checked) override { at(id, ControlOperation::Check).checked = checked; }
    bool isChecked(Control id) const override { return fitting(id, ControlOperation::Check).checked; }
    void setEnabled(Control id, bool enabled) override { at(id, ControlOperation::EnableOrShow).enabled = enabled; }
    void setVisible(Control id, bool visible) override { at(id, ControlOperation::EnableOrShow).visible = visible; }
    void setTextColour(Control id, Rgb) override { at(id, ControlOperation::Colour); }
    void setBackground(Control id, Rgb colour) override { at(id, ControlOperation::Colour).background = colour; }
    void setSwitchImage(Control id, bool) override { at(id, ControlOperation::SwitchImage); }
    void setFocus(Control id) override { at(id, ControlOperation::Focus); }
    void selectAll(Control id) override { at(id, ControlOperation::SelectText); }
    void post() override { ++m_postsPending; }
    void setWindowTitle(const std::string &) override {}
    void setWindowSize(int, int) override {}
    void setMenuChecked(MenuItem, bool) override {}
    void setMenuEnabled(MenuItem, bool) override {}
    void appendSystemMenuItem(const std::string &) override {}
    void repaintWindow() override {}
    void beep() override {}
    // A wait for the reader takes what the operator did meanwhile: a test
    // acts as the operator there (the close box, "Stop", Escape).
    bool takeInterrupts() override
    {
        if (whileWaiting)
            whileWaiting();
        return !endResult.has_value();
    }
    void startTimer(int id, std::chrono::milliseconds period) override
    {
        timerLog.push_back("start " + std::to_string(id) + " " + std::to_string(period.count()));
    }
    void stopTimer(int id) override { timerLog.push_back("stop " + std::to_string(id)); }
    void endDialog(DialogResult result) override { endResult = result; }

    // The window's thread gets round to the wake-ups the receive thread asked for.
    int deliverPosted()
    {
        const int posts = m_postsPending.exchange(0);
        for (int i = 0; i < posts && m_events != nullptr; ++i)
            m_events->inboxPosted();
        return posts;
    }
    int postsPending() const { return m_postsPending; }

    // The operator clicks a control: a checkable one flips before the model hears of it.
    void click(Control id)
    {
        if (controlAccepts(controlInfo(id).kind, ControlOperation::Check))
            at(id, ControlOperation::Check).checked = !control(id).checked;
        m_events->clicked(id);
    }

    const FakeControl &control(Control id) const { return m_controls.at(static_cast<std::size_t>(id)); }

    std::vector<std::string> timerLog; // "start 3 10", "stop 5", in order
    std::optional<DialogResult> endResult;
    std::function<void()> whileWaiting;

private:
    static void checkFits(Control id, ControlOperation operation)
    {
        const ControlInfo &info = controlInfo(id);
        if (!controlAccepts(info.kind, operation))
            ADD_FAILURE() << "the view was asked for operation " << static_cast<int>(operation) << " on "
                          << info.name << ", a control of kind " << static_cast<int>(info.kind);
    }
    FakeControl &at(Control id, ControlOperation operation)
    {
        checkFits(id, operation);
        return m_controls.at(static_cast<std::size_t>(id));
    }
    const FakeControl &fitting(Control id, ControlOperation operation) const
    {
        checkFits(id, operation);
        return control(id);
    }
    void prepend(Control id, const std::string &text)
    {
        std::string &shown = at(id, ControlOperation::Text).text;
        shown.insert(0, text);
        keepNewestLines(shown);
    }

    std::vector<FakeControl> m_controls;
    CQV58DlgEvents *m_events = nullptr;
    std::atomic<int> m_postsPending{0};
};

} // namespace teb::test

namespace teb {
// Readable names in failure messages.
inline void PrintTo(Control id, std::ostream *out) { *out << controlInfo(id).name; }
inline void PrintTo(const MessageRequest &request, std::ostream *out)
{
    *out << "{\"" << request.caption << "\", \"" << request.text << "\", icon " << static_cast<int>(request.icon)
         << ", buttons " << static_cast<int>(request.buttons) << "}";
}
} // namespace teb
