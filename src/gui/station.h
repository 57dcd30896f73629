#pragma once

#include "windows/main/cqv58_dlg.h"
#include "qt_cqv58_dlg.h"
#include "qt_dialog_host.h"

namespace teb::gui {

// One station: the main window, its dialogs and its model, wired together.
// The model's destroy runs exactly once, however the window ends: after
// the modal run, or when the station is taken down without one.
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
    CQV58Dlg &model() { return m_model; }

private:
    void initialiseOnce(); // the model's start-up, whichever way the window is first shown

    QtCQV58Dlg m_window;
    QtDialogHost m_dialogs;
    CQV58Dlg m_model; // after the window: it is destroyed first, ending the receive thread
    bool m_initialised = false;
    bool m_finished = false;
};

} // namespace teb::gui
