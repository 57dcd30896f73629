#pragma once

#include "windows/config/config_control.h"

#include <QString>

class QComboBox;
class QGridLayout;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace teb::gui {

class CEnterEdit;
class CXColorStatic;
class QtCAutoDlg;
class ImageSwitch;

// Builds the widgets of the "Config" dialog, group by group, and hands each
// control to the dialog under its id.
class QtCAutoDlgLayout {
public:
    explicit QtCAutoDlgLayout(QtCAutoDlg &dialog) : m_dialog(dialog) {}
    void build();

private:
    QWidget *nameRow();
    QWidget *workOrderGroup();
    QWidget *dataSourceGroup();
    QWidget *transponderGroup();
    QWidget *carrierIdSetupGroup();
    QWidget *byteGridGroup();
    QWidget *dataAreaGroup();
    QWidget *pictureColumn();
    QWidget *bottomRow();
    void addPageBlock(QGridLayout &grid, int row, int page);

    QWidget *group(const QString &title, QGridLayout *&grid);
    CXColorStatic *label(const QString &text, bool bold = false);
    CEnterEdit *field(ConfigControl id, int classNumber, int width = 0);
    ImageSwitch *onOffSwitch(ConfigControl id);
    QPushButton *button(ConfigControl id, const QString &text);
    CXColorStatic *pathDisplay(ConfigControl id);
    QComboBox *list(ConfigControl id, bool editable);

    QtCAutoDlg &m_dialog;
};

} // namespace teb::gui
