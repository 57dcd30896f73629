#pragma once

#include "app/dialog_types.h"
#include "app/main_window_control.h"
#include "app/main_window_menu.h"
#include "app/rgb.h"
#include "reader/interface_settings_dialog.h"

#include <chrono>
#include <optional>
#include <string>

namespace teb {

// The main window as its model sees it. The model decides everything; the
// view draws, holds the controls' values and reports the operator's actions
// back to the model. Texts are 8-bit, one byte per character.
//
// All calls come from the window's thread, except prependTerminalText.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;

    // Controls, by id.
    virtual void setText(Control id, const std::string &text) = 0;
    virtual std::string text(Control id) const = 0;
    virtual void setChecked(Control id, bool checked) = 0;
    virtual bool isChecked(Control id) const = 0;
    virtual void setEnabled(Control id, bool enabled) = 0;
    virtual void setVisible(Control id, bool visible) = 0;
    virtual void setTextColour(Control id, Rgb colour) = 0;
    virtual void setBackground(Control id, Rgb colour) = 0;   // redrawn at once
    virtual void setSwitchImage(Control id, bool on) = 0;     // the "on" or the "off" image
    virtual void setFocus(Control id) = 0;
    virtual void selectAll(Control id) = 0;                   // whole text selected and scrolled into view

    // Puts text at the top of the terminal view. Called on the reader's
    // receive thread: the view must be safe to call from any thread and must
    // apply the text on the window's thread between two of the model's
    // operations (e.g. through a queued call), never in the middle of one.
    virtual void prependTerminalText(const std::string &text) = 0;

    // The window.
    virtual void setWindowTitle(const std::string &title) = 0;
    virtual void setWindowSize(int width, int height) = 0;    // keeps the top-left corner
    virtual void setMenuChecked(MenuItem item, bool checked) = 0;
    virtual void setMenuEnabled(MenuItem item, bool enabled) = 0;
    virtual void appendSystemMenuItem(const std::string &text) = 0; // after a separator
    // Redraws the whole window now, also while an operation still blocks the
    // window's thread (e.g. waiting for the reader).
    virtual void repaintWindow() = 0;

    // Periodic timers; each tick calls the model's operation for that id.
    virtual void startTimer(int id, std::chrono::milliseconds period) = 0;
    virtual void stopTimer(int id) = 0;

    // Dialogs.
    virtual MessageAnswer showMessage(const MessageRequest &request) = 0;
    virtual std::optional<std::string> chooseFile(const FileDialogRequest &request) = 0; // nullopt: cancelled
    virtual void showAboutBox() = 0;       // modal
    virtual void openDeviceManager() = 0;  // the serial device list; its result is ignored
    // Runs the "Interface Settings" dialog modally: dialog.run on a dialog view.
    virtual CI2DlgView::Result runInterfaceSettingsDialog(CI2Dlg &dialog) = 0;
    // Ends the modal window; the view then calls the model's destroy().
    virtual void endDialog(DialogResult result) = 0;
};

} // namespace teb
