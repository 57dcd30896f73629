#pragma once

#include "common/dialog_types.h"
#include "common/rgb.h"
#include "windows/config/config_control.h"
#include "windows/config/memory_map.h"
#include "windows/pages_editor/auto_2.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace teb {

class CAutoDlg;

// The "Config" dialog as its model sees it. The model decides everything; the
// view draws, holds the controls' values and reports the operator's actions.
// Texts are 8-bit, one byte per character.
class CAutoDlgView {
public:
    virtual ~CAutoDlgView() = default;

    // Controls, by id. For a drop-down list the text is its edit text or
    // selected entry; setting it selects the matching entry.
    virtual void setText(ConfigControl id, const std::string &text) = 0;
    virtual std::string text(ConfigControl id) const = 0;
    virtual void setListEntries(ConfigControl id, const std::vector<std::string> &entries) = 0;
    virtual void setEnabled(ConfigControl id, bool enabled) = 0;
    virtual void setBackground(ConfigControl id, Rgb colour) = 0;
    virtual void setSwitchImage(ConfigControl id, bool on) = 0;  // the "on" or the "off" image
    virtual void setFocus(ConfigControl id) = 0;
    virtual void selectAll(ConfigControl id) = 0;
    // The "Transponder memory" picture.
    virtual void showMemoryMap(const MemoryMap &map) = 0;

    virtual MessageAnswer showMessage(const MessageRequest &request) = 0;
    // nullopt: cancelled. The path is in the system's own encoding.
    virtual std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &request) = 0;

    // One-shot timers: after the delay the view calls the model's timerFired
    // once. Starting a running timer starts it anew.
    virtual void startOneShotTimer(ConfigTimer timer, std::chrono::milliseconds delay) = 0;
    virtual void stopTimer(ConfigTimer timer) = 0;

    // The "Config Pages 3-17" dialog: editor.run on a view of its own.
    virtual DialogResult runPagesEditor(auto_2 &editor) = 0;

    // Shows the dialog, forwarding the operator's actions to the model, until
    // the model ends it.
    virtual DialogResult runModal(CAutoDlg &dialog) = 0;
    virtual void endDialog(DialogResult result) = 0;
};

} // namespace teb
