#pragma once

#include "windows/main/cqv58_dlg.h"
#include "cross_thread_view.h"
#include "event_relay.h"
#include "gui_calls.h"
#include "qt_cqv58_dlg.h"
#include "qt_dialog_host.h"


namespace teb::gui {

// One station: the main window, its dialogs and its model, wired together.
// The model runs on a thread of its own, one event at a time, and reaches
// the window through calls run on the window's thread: the window never
// waits for the reader. The model's destroy runs exactly once, however the
// window ends: after the modal run, or when the station is taken down
// without one.
class Station {
public:
    explicit Station(CQV58Dlg::DirectorySource currentDirectory = CQV58Dlg::defaultDirectorySource());
    ~Station();
    Station(const Station &) = delete;
    Station &operator=(const Station &) = delete;

    // Builds the window's state and shows it, without waiting for its end.
    void show();
    // Runs the window modally until it ends; the model is destroyed after.
    DialogResult run();
    // The way out that runs destroy, when the window ends without run().
    void finish();

    QtCQV58Dlg &window() { return m_window; }
    QtDialogHost &dialogs() { return m_dialogs; }
    // A look at the model, on its thread, between its events.
    template <typename Look>
    auto inModel(Look look)
    {
        return resultThrough([this](const std::function<void()> &run) { m_relay.runAndServe(run); },
                             [&] { return look(m_model); });
    }

private:
    void initialiseOnce(); // the model's start-up, whichever way the window is first shown

    QtCQV58Dlg m_window;
    GuiCalls m_calls;
    EventRelay m_relay{m_model, m_calls, [this] { m_window.cancelBoxes(); }};
    QtDialogHost m_dialogs;
    CrossThreadView m_view{m_window, m_calls, m_relay};
    CrossThreadDialogs m_dialogsOnWindow{m_dialogs, m_window, m_calls, m_relay};
    CQV58Dlg m_model; // after the window: it is destroyed first, ending the receive thread
    bool m_initialised = false;
    bool m_finished = false;
};

} // namespace teb::gui
