#pragma once

#include <QDialog>

#include <filesystem>

namespace teb::gui {

// "Interface" / "Device Manager": the serial devices the station can use,
// each COM name with the device it leads to and its stable name under
// /dev/serial/by-id (maker, model and serial number of a USB adapter).
class DeviceListDialog : public QDialog {
    Q_OBJECT
public:
    DeviceListDialog(const std::filesystem::path &workingDirectory, QWidget *parent = nullptr);
};

} // namespace teb::gui
