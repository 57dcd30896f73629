#pragma once

#include "windows/main/cqv58_dlg_control.h"
#include "windows/main/cqv58_dlg_menu.h"

namespace teb {

enum class SpinDirection { Up, Down };

// What the main window's view reports to its model: the operator's actions,
// the timers' ticks and the window's life. The view calls these on the
// window's thread only.
//
// Re-entrancy: a model call may open a message box or a dialog whose event
// loop delivers further events (timer ticks, queued wake-ups) before the call
// returns. The model holds itself against that: an event that arrives while
// another one is still running is dropped (a tick simply comes again, the
// main window takes no clicks while a modal box shows); only the close box
// acts at once, closing the port and ending the window. Received lines are
// taken whenever the window is woken for them, a running event or not.
class CQV58DlgEvents {
public:
    virtual ~CQV58DlgEvents() = default;

    // Once, after the view has built its controls and before it is shown.
    virtual bool initialise() = 0;
    // Exactly once on every way out (close box, "Exit", Escape, the
    // application quitting), after the window has stopped taking events.
    virtual void destroy() = 0;
    virtual void closeRequest() = 0;     // the close box or the system's close command
    virtual void escape() = 0;           // Escape outside the boxes that take Enter
    virtual void defaultAction() = 0;    // Enter outside the boxes that take Enter
    virtual void menuCommand(MenuItem item) = 0;
    // A button, switch or selection box was clicked. For checkable switches
    // and selection boxes the view has already flipped the check state.
    virtual void clicked(Control id) = 0;
    virtual void enterPressed(Control id) = 0;  // Enter in an edit box; the key is not inserted
    virtual void focusLost(Control id) = 0;     // an edit box lost the input focus
    // A spin button's arrow, or Up/Down in the terminal line.
    virtual void spinStep(Control spin, SpinDirection direction) = 0;
    virtual void tick(int timerId) = 0;
    // The wake-up asked for by CQV58DlgView::post: lines wait in the inbox.
    virtual void inboxPosted() = 0;
};

} // namespace teb
