#pragma once

#include "windows/interface_settings/ci2_dlg.h"

#include <QDialog>

#include <memory>

class QComboBox;

namespace Ui {
class QtCI2Dlg;
}

namespace teb::gui {

// "Interface Settings": six editable combo boxes and "OK" / "Cancel". It
// only shows what its model puts in and hands back what the operator left.
class QtCI2Dlg : public QDialog, public CI2DlgView {
    Q_OBJECT
public:
    explicit QtCI2Dlg(QWidget *parent = nullptr);
    ~QtCI2Dlg() override;

    void setComboEntries(I2Combo combo, const std::vector<std::string> &entries) override;
    void selectComboEntry(I2Combo combo, std::size_t index) override;
    void setComboText(I2Combo combo, const std::string &text) override;
    std::string comboText(I2Combo combo) const override;
    Result runModal() override;

    QComboBox *comboBox(I2Combo combo) const;

private:
    std::unique_ptr<Ui::QtCI2Dlg> m_form;
};

} // namespace teb::gui
