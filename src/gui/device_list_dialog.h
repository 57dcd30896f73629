#pragma once

#include <QDialog>

#include <filesystem>

namespace teb::gui {

// "Interface" / "Device Manager": the serial devices the station can use,
// each COM name with the device it leads to and what the system calls it.
class DeviceListDialog : public QDialog {
    Q_OBJECT
public:
    DeviceListDialog(const std::filesystem::path &workingDirectory, QWidget *parent = nullptr);
};

} // namespace teb::gui
