#include "cross_thread_view.h"

#include "event_relay.h"
#include "gui_calls.h"
#include "qt_cqv58_dlg.h"


namespace teb::gui {

template <typename Call>
auto CrossThreadView::onWindow(Call call) const
{
    return resultThrough([this](const std::function<void()> &run) { m_calls.run(run); }, call);
}

void CrossThreadView::setText(Control id, const std::string &text)
{
    onWindow([&] { m_window.setText(id, text); });
}
std::string CrossThreadView::text(Control id) const
{
    return onWindow([&] { return m_window.text(id); });
}
void CrossThreadView::setChecked(Control id, bool checked)
{
    onWindow([&] { m_window.setChecked(id, checked); });
}
bool CrossThreadView::isChecked(Control id) const
{
    return onWindow([&] { return m_window.isChecked(id); });
}
void CrossThreadView::setEnabled(Control id, bool enabled)
{
    onWindow([&] { m_window.setEnabled(id, enabled); });
}
void CrossThreadView::setVisible(Control id, bool visible)
{
    onWindow([&] { m_window.setVisible(id, visible); });
}
void CrossThreadView::setTextColour(Control id, Rgb colour)
{
    onWindow([&] { m_window.setTextColour(id, colour); });
}
void CrossThreadView::setBackground(Control id, Rgb colour)
{
    onWindow([&] { m_window.setBackground(id, colour); });
}
void CrossThreadView::setSwitchImage(Control id, bool on)
{
    onWindow([&] { m_window.setSwitchImage(id, on); });
}
void CrossThreadView::setFocus(Control id)
{
    onWindow([&] { m_window.setFocus(id); });
}
void CrossThreadView::selectAll(Control id)
{
    onWindow([&] { m_window.selectAll(id); });
}
void CrossThreadView::prependTerminalText(const std::string &text)
{
    onWindow([&] { m_window.prependTerminalText(text); });
}
void CrossThreadView::prependTraceText(const std::string &utf8Lines)
{
    onWindow([&] { m_window.prependTraceText(utf8Lines); });
}

// The receive thread's wake-up goes to the model's thread straight away.
void CrossThreadView::post() { m_relay.inboxPosted(); }

void CrossThreadView::setWindowTitle(const std::string &title)
{
    onWindow([&] { m_window.setWindowTitle(title); });
}
void CrossThreadView::setWindowSize(int width, int height)
{
    onWindow([&] { m_window.setWindowSize(width, height); });
}
void CrossThreadView::setMenuChecked(MenuItem item, bool checked)
{
    onWindow([&] { m_window.setMenuChecked(item, checked); });
}
void CrossThreadView::setMenuEnabled(MenuItem item, bool enabled)
{
    onWindow([&] { m_window.setMenuEnabled(item, enabled); });
}
void CrossThreadView::appendSystemMenuItem(const std::string &text)
{
    onWindow([&] { m_window.appendSystemMenuItem(text); });
}
void CrossThreadView::repaintWindow()
{
    onWindow([&] { m_window.repaintWindow(); });
}
void CrossThreadView::beep()
{
    onWindow([&] { m_window.beep(); });
}

bool CrossThreadView::takeInterrupts()
{
    m_relay.takeInterrupts();
    return !m_window.ending();
}

void CrossThreadView::startTimer(int id, std::chrono::milliseconds period)
{
    onWindow([&] { m_window.startTimer(id, period); });
}
void CrossThreadView::stopTimer(int id)
{
    onWindow([&] { m_window.stopTimer(id); });
}
void CrossThreadView::endDialog(DialogResult result)
{
    onWindow([&] { m_window.endDialog(result); });
}

// --- boxes and dialogs

template <typename Result, typename Call>
Result CrossThreadDialogs::shown(Result whenEnded, Call call)
{
    Result result = whenEnded;
    m_calls.run([&] {
        if (!m_window.ending())
            result = call();
    });
    m_relay.takeKept();
    return result;
}

template <typename Call>
void CrossThreadDialogs::shown(Call call)
{
    shown(true, [&] {
        call();
        return true;
    });
}

MessageAnswer CrossThreadDialogs::showMessage(const MessageRequest &request)
{
    const MessageAnswer unanswered = request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    return shown(unanswered, [&] { return m_dialogs.showMessage(request); });
}

std::optional<std::filesystem::path> CrossThreadDialogs::chooseFile(const FileDialogRequest &request)
{
    return shown(std::optional<std::filesystem::path>(), [&] { return m_dialogs.chooseFile(request); });
}

void CrossThreadDialogs::showAboutBox()
{
    shown([&] { m_dialogs.showAboutBox(); });
}

void CrossThreadDialogs::showDeviceList()
{
    shown([&] { m_dialogs.showDeviceList(); });
}

CI2DlgView::Result CrossThreadDialogs::runCI2Dlg(CI2Dlg &dialog)
{
    return shown(CI2DlgView::Result::Cancel, [&] { return m_dialogs.runCI2Dlg(dialog); });
}

DialogResult CrossThreadDialogs::runCAutoDlg(CAutoDlg &dialog)
{
    return shown(DialogResult::Cancel, [&] { return m_dialogs.runCAutoDlg(dialog); });
}

// The journal window's "Check transponder" runs the model on the window's
// thread while this thread waits here for the dialog.
void CrossThreadDialogs::runCJournalDlg(CJournalDlg &dialog)
{
    shown([&] { m_dialogs.runCJournalDlg(dialog); });
}

} // namespace teb::gui
