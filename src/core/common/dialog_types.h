#pragma once

#include <filesystem>
#include <string>

// What a window model asks of its view besides its controls: message boxes,
// file dialogs and how a modal window ends.
namespace teb {

enum class MessageIcon { None, Stop, Warning, Question, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
    std::string text;    // "\r\n" is a line break
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    bool defaultNo = false; // Yes/No: Enter answers No (a question whose Yes cannot be undone)

    bool operator==(const MessageRequest &) const = default;
};

enum class FileDialogMode { Open, Save };

// Paths are std::filesystem::path in the system's own encoding: a name
// chosen by the operator must name the same file when opened again.
struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::Open;
    std::filesystem::path initialDirectory; // empty: the dialog's own choice
    std::filesystem::path initialFileName;
    std::string defaultExtension;  // without the dot
    std::string filter;            // e.g. "XML files (*.xml)|*.xml||"
    bool promptOverwrite = false;  // Save: ask before an existing file is chosen
    bool mustExist = false;        // Open: only an existing file can be chosen
    bool hideReadOnly = true;      // no "open read-only" choice

    bool operator==(const FileDialogRequest &) const = default;
};

// How a modal window ended: "OK" (e.g. "Exit") or "Cancel" (Escape, close box).
enum class DialogResult { Ok, Cancel };

} // namespace teb
