#pragma once

#include "common/dialog_types.h"

#include <string>

namespace teb {

class auto_2;

// Every control of the "Config Pages 3-17" dialog. Cells, "Edit" and "Lock"
// switches come in runs: use the functions below.
enum class PagesControl : int {
    HexFormat,    // "HEX"
    AsciiFormat,  // "ASCII"
    Ok,
    Cancel,       // "Abbrechen"
    FirstCell = 100,       // cell of byte 16; byte k is FirstCell + k - 16, up to byte 135
    FirstEditSwitch = 300, // "Edit" of page 3; page p is FirstEditSwitch + p - 3, up to page 17
    FirstLockSwitch = 400, // "Lock" of page 3
};

inline constexpr int kFirstPagesEditorByte = 16;
inline constexpr int kLastPagesEditorByte = 135;
inline constexpr int kFirstPagesEditorPage = 3;

PagesControl pagesCell(int byte);        // 16 .. 135
PagesControl pagesEditSwitch(int page);  // 3 .. 17
PagesControl pagesLockSwitch(int page);  // 3 .. 17
// The byte of a cell, or the page of a switch; -1 for any other control.
int byteOfPagesCell(PagesControl id);
int pageOfPagesEditSwitch(PagesControl id);
int pageOfPagesLockSwitch(PagesControl id);

// The "Config Pages 3-17" dialog as its model sees it.
class auto_2View {
public:
    virtual ~auto_2View() = default;

    virtual void setText(PagesControl id, const std::string &text) = 0;
    virtual std::string text(PagesControl id) const = 0;
    virtual void setEnabled(PagesControl id, bool enabled) = 0;
    // On/off switches show the "on" or "off" image; "HEX" and "ASCII" the
    // selected or unselected one.
    virtual void setSwitchImage(PagesControl id, bool on) = 0;
    virtual void setFocus(PagesControl id) = 0;
    virtual void selectAll(PagesControl id) = 0;

    virtual MessageAnswer showMessage(const MessageRequest &request) = 0;
    // Shows the dialog, forwarding the operator's actions to the model, until
    // the model ends it.
    virtual DialogResult runModal(auto_2 &dialog) = 0;
    virtual void endDialog(DialogResult result) = 0;
};

} // namespace teb
