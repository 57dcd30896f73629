#pragma once

#include "common/dialog_types.h"
#include "windows/main/cqv58_dlg_control.h"
#include "windows/main/cqv58_dlg_menu.h"
#include "common/rgb.h"

#include <chrono>
#include <string>

namespace teb {

// The main window as its model sees it. The model decides everything; the
// view draws, holds the controls' values and reports the operator's actions
// through CQV58DlgEvents. Texts are 8-bit, one byte per character; the
// view converts at its edge (Latin-1), so every byte comes back unchanged.
//
// Which call fits which kind of control is fixed by controlAccepts
// (cqv58_dlg_control.h); a call that does not fit is a programming error.
// Controls of kind Command have no widget at all: the four data-source
// commands and the hidden default and cancel buttons are reached through
// CQV58DlgEvents only. The mode and format switches (ImageSwitch) show an
// on or off image and are never checkable.
//
// All calls come from the thread that runs the model, except post.
class CQV58DlgView {
public:
    virtual ~CQV58DlgView() = default;

    // Controls, by id. text(id) returns exactly what setText set, unless
    // the operator has edited the control since.
    virtual void setText(Control id, const std::string &text) = 0;
    virtual std::string text(Control id) const = 0;
    virtual void setChecked(Control id, bool checked) = 0;
    virtual bool isChecked(Control id) const = 0;
    virtual void setEnabled(Control id, bool enabled) = 0;
    virtual void setVisible(Control id, bool visible) = 0;
    virtual void setTextColour(Control id, Rgb colour) = 0;
    virtual void setBackground(Control id, Rgb colour) = 0;   // redrawn at once
    virtual void setSwitchImage(Control id, bool on) = 0;     // the "on" or the "off" image
    // Ignored, as by the toolkit, while the control is hidden or disabled.
    virtual void setFocus(Control id) = 0;
    virtual void selectAll(Control id) = 0;                   // whole text selected and scrolled into view
    // At the top of the terminal view, which keeps kTerminalLineLimit lines
    // (the newest); the text shown so far is not set again.
    virtual void prependTerminalText(const std::string &text) = 0;
    // The same for the trace view, whose lines are UTF-8.
    virtual void prependTraceText(const std::string &utf8Lines) = 0;

    // Thread-safe and never blocking: asks for CQV58DlgEvents::inboxPosted
    // soon, also while an event runs (at its next takeInterrupts or box).
    virtual void post() = 0;

    // The window.
    virtual void setWindowTitle(const std::string &title) = 0;
    virtual void setWindowSize(int width, int height) = 0;    // keeps the top-left corner
    virtual void setMenuChecked(MenuItem item, bool checked) = 0;
    virtual void setMenuEnabled(MenuItem item, bool enabled) = 0;
    virtual void appendSystemMenuItem(const std::string &text) = 0; // after a separator
    // Redraws the whole window now.
    virtual void repaintWindow() = 0;
    // A short sound (a failed cycle).
    virtual void beep() = 0;
    // While an operation waits for the reader, every few milliseconds: what
    // the operator did meanwhile that may end or steer it ("Stop", "Cont On",
    // Escape, the close box) and the receive thread's wake-ups reach the
    // model now, as its events; nothing else does. False once the window is
    // ending: the operation gives its wait up.
    virtual bool takeInterrupts() = 0;

    // Periodic timers; each tick calls CQV58DlgEvents::tick with the id.
    virtual void startTimer(int id, std::chrono::milliseconds period) = 0;
    virtual void stopTimer(int id) = 0;

    // Ends the modal window, also from inside a running event: the boxes and
    // dialogs it shows are cancelled first. The view then calls destroy().
    virtual void endDialog(DialogResult result) = 0;
};

} // namespace teb
