#include "support/fake_main_window_view.h"

#include <ostream>

namespace teb::test {

FakeMainWindowView::FakeMainWindowView() : m_controls(controlCount()) {}

FakeControl &FakeMainWindowView::mutableControl(Control id)
{
    return m_controls.at(static_cast<std::size_t>(id));
}

const FakeControl &FakeMainWindowView::control(Control id) const
{
    return m_controls.at(static_cast<std::size_t>(id));
}

void FakeMainWindowView::setText(Control id, const std::string &text)
{
    const std::scoped_lock lock(m_terminalMutex);
    mutableControl(id).text = text;
}

std::string FakeMainWindowView::text(Control id) const
{
    const std::scoped_lock lock(m_terminalMutex);
    return control(id).text;
}

void FakeMainWindowView::setChecked(Control id, bool checked) { mutableControl(id).checked = checked; }
bool FakeMainWindowView::isChecked(Control id) const { return control(id).checked; }
void FakeMainWindowView::setEnabled(Control id, bool enabled) { mutableControl(id).enabled = enabled; }
void FakeMainWindowView::setVisible(Control id, bool visible) { mutableControl(id).visible = visible; }
void FakeMainWindowView::setTextColour(Control id, Rgb colour) { mutableControl(id).textColour = colour; }
void FakeMainWindowView::setBackground(Control id, Rgb colour) { mutableControl(id).background = colour; }
void FakeMainWindowView::setSwitchImage(Control id, bool on) { mutableControl(id).switchOn = on; }

void FakeMainWindowView::setFocus(Control id)
{
    focus = id;
    focusHistory.push_back(id);
}

void FakeMainWindowView::selectAll(Control id) { selections.push_back(id); }

void FakeMainWindowView::prependTerminalText(const std::string &text)
{
    const std::scoped_lock lock(m_terminalMutex);
    auto &view = mutableControl(Control::TerminalView).text;
    view.insert(0, text);
}

void FakeMainWindowView::setWindowTitle(const std::string &newTitle) { title = newTitle; }

void FakeMainWindowView::setWindowSize(int newWidth, int newHeight)
{
    width = newWidth;
    height = newHeight;
}

void FakeMainWindowView::setMenuChecked(MenuItem item, bool checked) { menuChecks[item] = checked; }
void FakeMainWindowView::setMenuEnabled(MenuItem item, bool enabled) { menuEnabled[item] = enabled; }
void FakeMainWindowView::appendSystemMenuItem(const std::string &text) { systemMenuItems.push_back(text); }

void FakeMainWindowView::startTimer(int id, std::chrono::milliseconds period)
{
    timers[id] = period;
    timerLog.push_back("start " + std::to_string(id) + " " + std::to_string(period.count()));
}

void FakeMainWindowView::stopTimer(int id)
{
    timers.erase(id);
    timerLog.push_back("stop " + std::to_string(id));
}

MessageAnswer FakeMainWindowView::showMessage(const MessageRequest &request)
{
    messages.push_back(request);
    if (!m_messageAnswers.empty()) {
        const MessageAnswer answer = m_messageAnswers.front();
        m_messageAnswers.pop_front();
        return answer;
    }
    // Unscripted questions get the cautious answer.
    return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

std::optional<std::string> FakeMainWindowView::chooseFile(const FileDialogRequest &request)
{
    fileDialogs.push_back(request);
    if (m_fileAnswers.empty())
        return std::nullopt;
    auto answer = std::move(m_fileAnswers.front());
    m_fileAnswers.pop_front();
    return answer;
}

void FakeMainWindowView::showAboutBox() { ++aboutBoxes; }
void FakeMainWindowView::openDeviceManager() { ++deviceManagerOpenings; }
CI2DlgView::Result FakeMainWindowView::runInterfaceSettingsDialog(CI2Dlg &dialog)
{
    ++interfaceSettingsDialogs;
    return interfaceSettingsDialog ? interfaceSettingsDialog(dialog) : CI2DlgView::Result::Cancel;
}

void FakeMainWindowView::endDialog(DialogResult result) { endResult = result; }

void FakeMainWindowView::toggle(Control id)
{
    auto &state = mutableControl(id);
    state.checked = !state.checked;
}

} // namespace teb::test

namespace teb {

void PrintTo(Control id, std::ostream *out) { *out << controlInfo(id).name; }

void PrintTo(const MessageRequest &request, std::ostream *out)
{
    *out << "{caption \"" << request.caption << "\", text \"" << request.text << "\", icon "
         << static_cast<int>(request.icon) << ", buttons " << static_cast<int>(request.buttons) << "}";
}

} // namespace teb
