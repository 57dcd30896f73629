#pragma once

#include "common/dialog_types.h"

#include <QString>

#include <filesystem>
#include <optional>

class QWidget;

namespace teb::gui {

// "XML files (*.xml)|*.xml|All files (*.*)|*.*||" as Qt writes a filter list:
// "XML files (*.xml);;All files (*.*)".
QString qtFilterOf(const std::string &filter);

// The open or save dialog for `request`; nullopt when cancelled.
std::optional<std::filesystem::path> runFileDialog(const FileDialogRequest &request, QWidget *parent);

} // namespace teb::gui
