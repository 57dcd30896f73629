#include "device_list_dialog.h"

#include "qt_text.h"
#include "reader/port_names.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace teb::gui {

DeviceListDialog::DeviceListDialog(const std::filesystem::path &workingDirectory, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Device Manager"));
    auto *layout = new QVBoxLayout(this);
    const auto devices = listSerialDevices(workingDirectory);

    auto *table = new QTableWidget(static_cast<int>(devices.size()), 3, this);
    table->setObjectName(QStringLiteral("devices"));
    table->setHorizontalHeaderLabels(
        {QStringLiteral("Port"), QStringLiteral("Device"), QStringLiteral("Stable name in /dev/serial/by-id")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < static_cast<int>(devices.size()); ++row) {
        const SerialDeviceEntry &device = devices[static_cast<std::size_t>(row)];
        table->setItem(row, 0, new QTableWidgetItem(fromLatin1(device.comName)));
        table->setItem(row, 1, new QTableWidgetItem(fromPath(device.devicePath)));
        table->setItem(row, 2, new QTableWidgetItem(fromLatin1(device.serialById)));
    }
    table->resizeColumnsToContents();
    layout->addWidget(table);
    if (devices.empty())
        layout->addWidget(new QLabel(QStringLiteral("No serial devices found."), this));
    // A USB adapter's number follows the order the adapters were plugged in;
    // its stable name does not.
    auto *hint = new QLabel(QStringLiteral("A stable name, typed as the port in \"Interface\" / \"Settings\" "
                                           "(/dev/serial/by-id/...), always finds the same adapter."),
                            this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(760, 300);
}

} // namespace teb::gui
